// ErrorNumbers: their fixed English texts and the mapping from the
// platform's (Windows-numbered) error codes.
#include <array>
#include <utility>

#include "exec/error_handling.h"

namespace menue {

std::string_view errorText(int errorNumber) {
  static constexpr std::array<std::pair<int, std::string_view>, 29> Texts{{
      {5, "Illegal function call"},   {6, "Overflow"},
      {7, "Out of memory"},           {9, "Subscript/Pointer out of range"},
      {11, "Division by zero"},       {24, "Device timeout"},
      {51, "Internal error"},         {52, "Bad file name or number"},
      {53, "File not found"},         {54, "Bad file mode"},
      {55, "File is open"},           {57, "Device I/O error"},
      {58, "File already exists"},    {61, "Disk full"},
      {62, "Input past end"},         {63, "Bad record number"},
      {64, "Bad file name"},          {67, "Too many files"},
      {68, "Device unavailable"},     {69, "Comm error"},
      {70, "Permission denied"},      {71, "Disk not ready"},
      {72, "Disk media error"},       {74, "Rename across disks"},
      {75, "Path/file access error"}, {76, "Path not found"},
      {99, "Object error"},           {241, "Global memory corrupt"},
      {242, "String space corrupt"},
  }};
  for (const auto& [number, text] : Texts) {
    if (number == errorNumber) return text;
  }
  return {};
}

int errorNumberFor(PlatformCode platformCode) {
  switch (platformCode) {
    case 0:
      return 0;
    case 2:
    case 18:
      return 53;
    case 3:
      return 76;
    case 4:
      return 67;
    case 5:
    case 19:
    case 32:
    case 33:
    case 36:
      return 70;
    case 6:
    case 11:
    case 12:
    case 13:
    case 22:
    case 24:
      return 51;
    case 7:
    case 9:
    case 10:
      return 241;
    case 8:
    case 14:
      return 7;
    case 15:
    case 20:
      return 68;
    case 17:
      return 74;
    case 21:
      return 71;
    case 23:
    case 25:
    case 26:
    case 27:
    case 28:
    case 29:
    case 30:
    case 31:
    case 34:
    case 35:
      return 72;
    case 38:
      return 62;
    case 39:
    case 112:
      return 61;
    case 87:
      return 5;
    default:
      return 75;
  }
}

}  // namespace menue
