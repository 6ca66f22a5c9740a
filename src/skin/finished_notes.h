#pragma once
// The short note that fades over the skin once an action has worked ("Saved to the mouse"): one
// table from the action to its text, so that every finished action is told the same way.
#include <string>
#include <string_view>

#include "skin/captions.h"

namespace varnel {

enum class Finished {
    Applied,
    Reset,
    MacrosSaved,
    ProfileSaved,   // %1: the file's name
    ProfileLoaded,  // the loaded profile waits for Apply
    MacroExported,  // %1: the file's name
    MacrosExported,
    MacroImported,
    MacrosImported,
    FirmwareLoaded,  // the file waits for Update
};

// The language key of `action`'s note.
std::string_view finishedNoteKey(Finished action);
// The note in the current language, with `name` in place of its %1.
std::string finishedNote(const CaptionsModel& captions, Finished action, std::string_view name = {});
// `text` with its first %1 replaced by `value`.
std::string fillIn(std::string text, std::string_view value);

}  // namespace varnel
