#pragma once
// The key table: virtual-key code -> KeyName and KeyUsage (HID keyboard usage), usage -> UsageName.
// One table of irregular keys plus the regular ranges (letters, digits, function keys, keypad).
#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

// Name of a virtual key; "None" for a key missing from the table.
std::string KeyName(int vk);
// Key code of a virtual key; 0 for a missing key (and for the keys that carry none).
std::uint8_t KeyUsage(int vk);
// Caption name of a key code; empty for a missing code (and for 0).
std::string UsageName(std::uint8_t usage);
// Every KeyName the key enumeration holds, "None", "Demo" and "255" included.
std::vector<std::string> keyNameList();

}  // namespace varnel
