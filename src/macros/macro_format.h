#pragma once
// Macro formats: the 32-byte MacroNameRecord (UsedLength, name as big-endian UTF-16 code units)
// and the 1024-byte MacroBlock of events, with the conversions to and from the editor's
// MacroScript (line 0 the DelayMode header, then one event per line).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/result.h"
#include "config/image_sizes.h"
#include "config/input_event.h"

namespace varnel {

using MacroNames = std::array<std::string, kMacroCount>;  // UTF-8
using MacroScript = std::vector<std::string>;

constexpr std::size_t kMaxNameUnits = 14;   // UTF-16 code units of a name
constexpr std::size_t kMaxNameLength = 28;  // bytes of NameText
constexpr std::size_t kNameTextOffset = 4;
constexpr std::uint8_t kMacroEndByte = 0x00;
constexpr std::uint32_t kMaxDelayMs = 0xFFFF;  // one delay event's milliseconds

// UsedLength (bytes 0..1, big-endian) of a record.
std::uint16_t usedLength(ByteSpan record);
void setUsedLength(MutableByteSpan record, std::uint16_t n);

// The name held in a record; a NameLength above 28 reads as 28, an odd length drops the first
// byte, an unpaired surrogate becomes U+FFFD.
std::string readMacroName(ByteSpan record);
// Writes bytes 2..3 and the name's code units at 4.. (the rest of the record is kept). A name
// of more than 14 code units or invalid UTF-8 is an error and changes nothing.
Status writeMacroName(MutableByteSpan record, std::string_view utf8Name);

// Names of the 32 records of a name table.
MacroNames RefreshMacroName(ByteSpan nameTable);
// Writes the 32 names into the name table; if any name cannot be written nothing changes.
Status UIToMacroName(MutableByteSpan nameTable, const MacroNames& names);

// Number of UTF-16 code units of a UTF-8 text; nullopt for invalid UTF-8.
std::optional<std::size_t> utf16Length(std::string_view utf8);

enum class DelayMode { NoDelay, DefaultDelay, RecordDelay };

struct EncodedMacro {
    std::uint16_t usedLength;  // bytes in use, end byte included
    std::string hexText;       // the inspection text (upper-case hex of the used bytes)
};

// The inspection text of encoded bytes: two upper-case hex digits each ("8204FE007800").
std::string inspectionText(ByteSpan bytes);

// The script line of a key pressed or released, by its virtual-key code: a modifier event for
// Shift, Ctrl, Alt and the two Windows keys ("1 Shift CODE:8102"), else a key event with the
// key's usage ("1 A CODE:8204"; a key missing from the table is "None" with usage 00).
std::string keyEventLine(bool press, int vk);
// The virtual keys whose events keyEventLine makes modifier events, in the order of their masks.
std::vector<int> modifierKeys();
// The line of a key event by its key code, named as the decoder names it ("1 A CODE:8204"; a code
// missing from the key table has an empty name).
std::string usageEventLine(bool press, std::uint8_t usage);
// The fixed line of a mouse button pressed or released ("1 LeftKey CODE:00A1").
std::string buttonEventLine(bool press, MouseButton button);
// Bytes that one event or delay line takes in the block (a delay 3, a key event 2, a button 1).
Result<std::size_t> encodedLineLength(std::string_view line);

// Encodes the script's event lines (line 0 is skipped) followed by the end byte.
Result<Bytes> encodeMacroScript(const MacroScript& script);
// Encodes into the block and sets UsedLength; bytes after the used part keep their values.
// A script that does not fit in 1024 bytes (language key Str434), or a malformed line, is an error
// and changes nothing.
Result<EncodedMacro> ScriptToMacroBlock(const MacroScript& script, MutableByteSpan record, MutableByteSpan block);

struct DecodedMacro {
    MacroScript script;  // header line first
    DelayMode delayMode = DelayMode::NoDelay;
    unsigned defaultDelay = 0;  // milliseconds of Edt_Delay, set only for DefaultDelay
};

// Decodes the used part of a block (never past UsedLength or 1024, stopping at an end byte, at
// a byte that is not an event, or before an event that leaves no room for the end byte in the
// used part) and derives the DelayMode from the first four delays. So every decoded script can be
// stored again and decodes to itself.
DecodedMacro MacroBlockToScript(ByteSpan record, ByteSpan block);

// Makes a macro taken from a file consistent: whole events, then the end byte, with UsedLength
// counting both. The events are those the decoder frames within UsedLength (at most 1024); the end
// byte goes where they stop. True when something changed; UsedLength 0 and a consistent macro are
// left as they are, and bytes past the used part are never touched.
bool makeMacroConsistent(MutableByteSpan record, MutableByteSpan block);

}  // namespace varnel
