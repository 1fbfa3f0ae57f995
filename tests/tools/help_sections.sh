# Sourced by the tests that read the tool's help.
# section TITLE [ARGS...] - the names of the entries of one section
# ("Subcommands:", "Options:") of `$tool ARGS --help`, one a line, each
# alias on its own ("-o", "--output").
section() {
  local title=$1 help
  shift
  help=$("$tool" "$@" --help)
  awk -v title="$title" '
    $0 == title { on = 1; next }
    on && /^$/ { exit }
    on && /^  [^ ]/ { print $1 }' <<<"$help" | tr ',' '\n' | sed 's/:.*//' | grep -v '^$'
}
