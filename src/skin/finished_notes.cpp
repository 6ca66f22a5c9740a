#include "skin/finished_notes.h"

#include <array>
#include <utility>

namespace varnel {

namespace {

constexpr std::array<std::pair<Finished, std::string_view>, 10> kNotes{{
    {Finished::Applied, "Str448"},
    {Finished::Reset, "Str458"},
    {Finished::MacrosSaved, "Str520"},
    {Finished::ProfileSaved, "Str521"},
    {Finished::ProfileLoaded, "Str522"},
    {Finished::MacroExported, "Str523"},
    {Finished::MacrosExported, "Str524"},
    {Finished::MacroImported, "Str525"},
    {Finished::MacrosImported, "Str526"},
    {Finished::FirmwareLoaded, "Str527"},
}};

}  // namespace

std::string_view finishedNoteKey(Finished action) {
    for (const auto& [a, key] : kNotes) {
        if (a == action) return key;
    }
    return {};
}

std::string finishedNote(const CaptionsModel& captions, Finished action, std::string_view name) {
    return fillIn(captions.text(finishedNoteKey(action)), name);
}

std::string fillIn(std::string text, std::string_view value) {
    if (const auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, value);
    return text;
}

}  // namespace varnel
