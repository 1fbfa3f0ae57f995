// stocks: the stock lists of a media-preferences document, decoded; or a new
// empty document.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "attr/attr_node_list.h"
#include "commands.h"
#include "convert/attr_builders.h"
#include "convert/attr_readers.h"
#include "convert/media/media_record.h"
#include "convert/media/media_vocabulary.h"
#include "diagnostics.h"
#include "field_words.h"
#include "inputs.h"
#include "io.h"
#include "platform/code_page.h"
#include "prefs/media_preferences.h"
#include "prefs/prefs_documents.h"
#include "prefs/prefs_vocabulary.h"
#include "text_sink.h"
#include "xml/velmor_xml_file.h"

namespace ovrabjt::cli {

namespace {

namespace mf = media_field;

struct StocksOptions {
  std::string input;
  std::string list;      // a list kind by name or number; empty for all
  std::string new_file;  // --new: where to write an empty document
};

std::int32_t ListKindOf(const std::string& word) {
  if (const auto kind = ActiveRelease().stock_lists.CodeOf(word)) return *kind;
  for (const auto& [kind, name] : ActiveRelease().stock_lists.entries)
    if (word == std::to_string(kind)) return kind;
  throw UsageError("unknown stock list '" + word +
                   "': give media-col-database, media-user-defined, media-favorites-user-defined, "
                   "media-favorites-printer or 1 to 4");
}

std::string Utf8(std::string_view text) { return Utf16ToUtf8(Cp1252ToUtf16(text)); }

std::string Words(std::string_view field, std::int64_t code) {
  return FieldWords(field, code).value_or(std::to_string(code));
}

// One stock as a line: size, colour, type, weight and description.
std::string DescribeStock(const ConstFieldView& media) {
  std::string size = Words("sizeCode", media.Get(mf::kSizeCode));
  if (media.Get(mf::kSizeCode) == media_code::kSizeCustom)
    size = "custom " + std::to_string(media.Get(mf::kShortEdge)) + " x " +
           std::to_string(media.Get(mf::kLongEdge)) + " mm";
  std::string colour = Words("color", media.Get(mf::kColor));
  if (media.Get(mf::kColor) == media_code::kColorNamed) colour = Utf8(media.Text(mf::kColorName));
  std::string type = Words("type", media.Get(mf::kType));
  if (media.Get(mf::kType) == media_code::kTypeNamed) type = Utf8(media.Text(mf::kTypeName));
  const bool weighed = (media.Get(mf::kFlags) & media_flag::kWeight) == 0;
  return "size " + size + ", colour " + colour + ", type " + type + ", weight " +
         (weighed ? Words("weight", media.Get(mf::kWeight)) : "not given") + ", description \"" +
         Utf8(media.Text(mf::kDescription)) + "\"";
}

// The stocks of one list, by the query the driver makes; nothing when the
// document has no such list.
std::optional<std::vector<std::string>> Stocks(AttrNodeList& list, std::int32_t kind) {
  const AttrNodeList* members = nullptr;
  if (!ReadCollection(list, *ActiveRelease().stock_lists.ValueOf(kind), 0, members))
    return std::nullopt;
  std::vector<std::string> stocks;
  MediaBytes media{};
  for (std::uint16_t index = 1;; ++index) {
    std::uint16_t at = index;
    if (!PopulateStockFromAttrList(list, kind, at, MediaView(media), ActiveRelease()) || at == 0)
      break;
    stocks.push_back(DescribeStock(MediaView(media)));
  }
  return stocks;
}

int ShowStocks(const StocksOptions& options) {
  std::vector<std::int32_t> kinds;
  if (!options.list.empty())
    kinds.push_back(ListKindOf(options.list));
  else
    for (const auto& entry : ActiveRelease().stock_lists.entries) kinds.push_back(entry.first);
  std::string error;
  StagedFile staged;
  const auto text = ReadDocumentText(options.input, kMediaPrefsDocument, error);
  if (!text || (IsStandardStream(options.input) && !staged.Stage(*text, ".xml", error))) {
    PrintFailure(error);
    return kExitFailed;
  }
  const DocumentRead read{staged.Path().empty() ? options.input : staged.Path(),
                          DisplayName(options.input), "", kMediaPrefsDocument};
  std::optional<OvraParseException> failure;
  std::unique_ptr<AttrNodeList> list =
      ReadMediaPreferences(read.path.c_str(), &failure, ActiveRelease());
  if (!list) {
    PrintFailure(failure ? DescribeReadFailure(*failure, read)
                         : read.shown + ": the document could not be read");
    return kExitFailed;
  }
  std::string out;
  for (std::int32_t kind : kinds) {
    const std::string name(*ActiveRelease().stock_lists.ValueOf(kind));
    const auto stocks = Stocks(*list, kind);
    if (!stocks) {
      out += name + ": not in the document\n";
      continue;
    }
    out += name + ": " + std::to_string(stocks->size()) + " stock" +
           (stocks->size() == 1 ? "" : "s") + "\n";
    for (std::size_t i = 0; i < stocks->size(); ++i)
      out += "  " + std::to_string(i + 1) + "  " + (*stocks)[i] + "\n";
  }
  if (!WriteOutput("-", out, error)) {
    PrintFailure(error);
    return kExitFailed;
  }
  return kExitOk;
}

// Writes a new document with the three empty lists the library starts one
// with. The library writes a list without members as an element without
// content, which reads back as no list at all; written with a blank inside,
// each reads back as an empty list that takes stocks.
int WriteEmptyDocument(const std::string& path) {
  if (IsStandardStream(path)) throw UsageError("--new needs the name of the file to write");
  const std::unique_ptr<AttrNodeList> list = CreateEmptyMPSContents(ActiveRelease());
  std::string text;
  TextSink sink(text, true);
  VelmorXmlDataStream stream(kMediaPrefsDocument, &sink, nullptr);
  stream.SetRelease(ActiveRelease());
  try {
    stream.WriteList(*list);
  } catch (const OvraParseException& e) {
    throw RunFailure(std::string("cannot make the document: ") + DescribeOvraError(e.code()));
  }
  for (const std::unique_ptr<AttrNode>& node : list->nodes()) {
    const std::string name(node->GetName());
    const std::string empty = "<" + name + " syntax=\"" + std::string(kSetOf) + "\"/>";
    const std::size_t at = text.find(empty);
    if (at == std::string::npos) throw RunFailure("the empty list " + name + " was not written");
    text.replace(at, empty.size(), empty.substr(0, empty.size() - 2) + "> </" + name + ">");
  }
  std::string error;
  if (!WriteOutput(path, text, error)) {
    PrintFailure(error);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

void AddStocksCommand(CLI::App& app, const GlobalOptions&, Runner& chosen) {
  auto options = std::make_shared<StocksOptions>();
  CLI::App* command = app.add_subcommand(
      "stocks", "Print the stocks of a media-preferences document, or write an empty one");
  auto* input =
      command->add_option("file", options->input, "The mediaprefs document (- for standard input)")
          ->type_name("FILE");
  command
      ->add_option("--list", options->list,
                   "Only this list: media-col-database, media-user-defined, "
                   "media-favorites-user-defined, media-favorites-printer, or 1 to 4")
      ->type_name("KIND")
      ->needs(input);
  auto* create = command
                     ->add_option("--new", options->new_file,
                                  "Write a new document with empty media-user-defined, "
                                  "media-favorites-user-defined and media-favorites-printer "
                                  "lists, which take stocks when read back")
                     ->type_name("OUT.xml")
                     ->excludes(input);
  command->callback([options, input, create, &chosen] {
    if (input->count() == 0 && create->count() == 0)
      throw CLI::RequiredError("a mediaprefs document, or --new OUT.xml");
    chosen = [options] {
      return options->new_file.empty() ? ShowStocks(*options)
                                       : WriteEmptyDocument(options->new_file);
    };
  });
}

}  // namespace ovrabjt::cli
