#include "operations/fit_ticket.h"

#include <algorithm>
#include <array>
#include <span>

#include "convert/attr_readers.h"
#include "convert/color/color_fields.h"
#include "vocabulary/code_table.h"
#include "vocabulary/finishings.h"
#include "vocabulary/job_vocabulary.h"

namespace ovrabjt {

namespace {

namespace tf = ticket_field;

constexpr std::string_view kSupportedSuffix = "-supported";

// A setting of the ticket that a capability constrains, as the ticket's
// document writes it.
struct Constrained {
  enum class Kind { kColorName, kTrc, kHalftone, kFinishingTemplate };
  std::string_view attribute;
  bool keyword;  // written as a keyword; else as a name
  Kind kind;
  const ColorNameAttribute* color_name = nullptr;
};

std::vector<Constrained> ConstrainedSettings() {
  std::vector<Constrained> settings;
  const auto add = [&](const ColorNameAttribute& a) {
    settings.push_back({a.name, a.syntax == kKeyword, Constrained::Kind::kColorName, &a});
  };
  std::for_each(kDestinationProfiles.begin(), kDestinationProfiles.end(), add);
  std::for_each(kUndefinedSources.begin(), kUndefinedSources.end(), add);
  settings.push_back({kTrcAttribute, false, Constrained::Kind::kTrc});
  settings.push_back({kHalftoneReadOrder[0], true, Constrained::Kind::kHalftone});
  settings.push_back({kFinishingTemplateAttribute, false, Constrained::Kind::kFinishingTemplate});
  return settings;
}

// The setting a capability constrains: its name without "-supported" (the
// oldest release names two capabilities without it).
const Constrained* SettingOf(std::string_view capability, std::span<const Constrained> settings) {
  if (capability.ends_with(kSupportedSuffix)) capability.remove_suffix(kSupportedSuffix.size());
  const auto found = std::find_if(settings.begin(), settings.end(),
                                  [&](const Constrained& c) { return c.attribute == capability; });
  return found == settings.end() ? nullptr : &*found;
}

// The values of a capability, as the driver's capability query reads them.
std::vector<std::string> SupportedValues(const AttrNodeList& values) {
  std::vector<std::string> out;
  std::string buffer(kMaxTicketString + 1, '\0');
  for (std::size_t d = 0; values.FindNode(kSetEntry, d) != nullptr; ++d) {
    buffer[0] = '\0';
    ReadTextInto(values, kSetEntry, d, buffer.data(), kMaxTicketString);
    out.emplace_back(buffer.c_str());
  }
  return out;
}

bool IsSupported(std::string_view value, const std::vector<std::string>& supported, bool keyword) {
  return std::any_of(supported.begin(), supported.end(), [&](const std::string& s) {
    return keyword ? EqualsIgnoreAsciiCase(value, s) : value == s;
  });
}

struct Capability {
  const Constrained* setting;
  std::string_view name;
  std::vector<std::string> supported;
};

// Compares one level of the ticket (the job, or page override `index`).
void CheckLevel(const TicketRecord& ticket, std::optional<std::size_t> index,
                std::span<const Capability> capabilities, FitReport& report) {
  const ColorFields level = index ? PageColorFields(*index) : JobColorFields();
  for (const Capability& c : capabilities) {
    UnsupportedSetting u;
    switch (c.setting->kind) {
      case Constrained::Kind::kColorName:
        u.field = level.NameField(*c.setting->color_name);
        break;
      case Constrained::Kind::kTrc:
        u.field = level.trc_name;
        break;
      case Constrained::Kind::kHalftone:
        u.field = level.halftone;
        break;
      case Constrained::Kind::kFinishingTemplate:
        if (index || ticket.Get(tf::kFinishing) != kFinishingTemplate) continue;
        u.value = ticket.Text(tf::kFinishingTemplate);
        break;
    }
    if (u.field && !ReadTicketString(ticket, ticket.Get(*u.field), u.value)) continue;
    if (u.value.empty()) continue;
    ++report.checked;
    if (IsSupported(u.value, c.supported, c.setting->keyword)) continue;
    u.page_override = index;
    if (index) {
      u.first_page = ticket.Override(*index).Get(override_field::kFirstPage);
      u.last_page = ticket.Override(*index).Get(override_field::kLastPage);
    }
    u.attribute = c.setting->attribute;
    u.capability = c.name;
    u.supported = c.supported;
    report.unsupported.push_back(std::move(u));
  }
}

}  // namespace

FitReport FitTicket(const TicketRecord& ticket, const AttrNodeList& capabilities,
                    const ReleaseProfile& release) {
  const std::vector<Constrained> settings = ConstrainedSettings();
  std::vector<Capability> found;
  FitReport report;
  for (const auto& [selector, name] : release.capabilities.entries) {
    const Constrained* setting = SettingOf(name, settings);
    const AttrNodeList* values = nullptr;
    if (setting == nullptr || !ReadCollection(capabilities, name, 0, values)) continue;
    found.push_back({setting, name, SupportedValues(*values)});
    report.capabilities.push_back(name);
  }
  CheckLevel(ticket, std::nullopt, found, report);
  for (std::size_t i = 0; i < ticket.OverridesInUse(); ++i) CheckLevel(ticket, i, found, report);
  return report;
}

void DropUnsupported(TicketRecord& ticket, const FitReport& report) {
  for (const UnsupportedSetting& u : report.unsupported) {
    if (u.field) {
      WriteTicketString(ticket, *u.field, "");
    } else {
      ticket.Set(tf::kFinishing, kFinishingNone);
      ticket.SetText(tf::kFinishingTemplate, "");
    }
  }
}

}  // namespace ovrabjt
