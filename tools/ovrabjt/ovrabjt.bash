# bash completion for ovrabjt: subcommands, their options, the values an
# option takes, and file names everywhere else.

_ovrabjt_subcommands="to-xml from-xml dump check validate caps stocks merge fit diff help"
_ovrabjt_global_options="--release --dtd-dir -V --version -h --help"
_ovrabjt_releases="3.0.15 3.1.07 3.2.01 10.0.06 3.6.09"
_ovrabjt_stock_lists="media-col-database media-user-defined media-favorites-user-defined media-favorites-printer"
_ovrabjt_capabilities="trc-supported color-destination-profile-front-supported
  color-destination-profile-back-supported undefined-source-rgb-images-supported
  undefined-source-rgb-graphics-supported undefined-source-rgb-text-supported
  undefined-source-cmyk-images-supported undefined-source-cmyk-graphics-supported
  undefined-source-cmyk-text-supported undefined-source-cmy-images-supported
  undefined-source-cmy-graphics-supported undefined-source-cmy-text-supported
  undefined-source-gray-images-supported undefined-source-gray-graphics-supported
  undefined-source-gray-text-supported halftone-graphics-supported
  finishing-template-supported"

# The options of one subcommand.
_ovrabjt_options() {
  case $1 in
    to-xml) echo "-o --output -d --output-dir --no-indent" ;;
    from-xml) echo "-o --output -d --output-dir --strict" ;;
    dump) echo "--json" ;;
    check) echo "--strict" ;;
    validate) echo "--kind --strict" ;;
    caps) echo "" ;;
    stocks) echo "--list --new" ;;
    merge) echo "-o --output --xml --strict" ;;
    fit) echo "--drop-unsupported -o --output --xml --json --strict" ;;
    diff) echo "--json --strict" ;;
  esac
}

_ovrabjt() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=${COMP_WORDS[COMP_CWORD-1]}
  local subcommand="" word i arguments=0
  # The subcommand, and how many arguments stand after it; an option's value
  # is neither.
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    case $word in
      --release | --dtd-dir | -o | --output | -d | --output-dir | --kind | --list | --new) ((i++)) ;;
      -?*) ;;
      *) if [[ -z $subcommand ]]; then subcommand=$word; else ((arguments++)); fi ;;
    esac
  done

  case $prev in
    --release) COMPREPLY=($(compgen -W "$_ovrabjt_releases" -- "$cur")); return ;;
    --dtd-dir | -d | --output-dir) COMPREPLY=($(compgen -d -- "$cur")); return ;;
    --kind) COMPREPLY=($(compgen -W "ovra kesp mediaprefs" -- "$cur")); return ;;
    --list) COMPREPLY=($(compgen -W "$_ovrabjt_stock_lists 1 2 3 4" -- "$cur")); return ;;
    -o | --output | --new) COMPREPLY=($(compgen -f -- "$cur")); return ;;
  esac

  if [[ -z $subcommand ]]; then
    if [[ $cur == -* ]]; then
      COMPREPLY=($(compgen -W "$_ovrabjt_global_options" -- "$cur"))
    else
      COMPREPLY=($(compgen -W "$_ovrabjt_subcommands" -- "$cur"))
    fi
    return
  fi
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(_ovrabjt_options "$subcommand") --release --dtd-dir -h --help" -- "$cur"))
    return
  fi
  case $subcommand in
    help) COMPREPLY=($(compgen -W "$_ovrabjt_subcommands" -- "$cur")); return ;;
    caps)
      # The document first, then capabilities.
      if ((arguments > 0)); then
        COMPREPLY=($(compgen -W "$_ovrabjt_capabilities" -- "$cur"))
        return
      fi
      ;;
  esac
  COMPREPLY=($(compgen -f -- "$cur"))
}

complete -o filenames -F _ovrabjt ovrabjt
