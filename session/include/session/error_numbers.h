// ErrorNumbers: the program's numbers for failures, their fixed English
// texts, and the one mapping from the platform's (Windows-numbered) codes.
#pragma once

#include <string_view>

#include "platform/platform.h"

namespace menue {

enum class ErrorNumber : int {
  None = 0,
  IllegalFunctionCall = 5,
  Overflow = 6,
  OutOfMemory = 7,
  SubscriptOutOfRange = 9,
  DivisionByZero = 11,
  DeviceTimeout = 24,
  InternalError = 51,
  BadFileNameOrNumber = 52,
  FileNotFound = 53,
  BadFileMode = 54,
  FileIsOpen = 55,
  DeviceIoError = 57,
  FileAlreadyExists = 58,
  DiskFull = 61,
  InputPastEnd = 62,
  BadRecordNumber = 63,
  BadFileName = 64,
  TooManyFiles = 67,
  DeviceUnavailable = 68,
  CommError = 69,
  PermissionDenied = 70,
  DiskNotReady = 71,
  DiskMediaError = 72,
  RenameAcrossDisks = 74,
  PathFileAccessError = 75,
  PathNotFound = 76,
  ObjectError = 99,
  GlobalMemoryCorrupt = 241,
  StringSpaceCorrupt = 242,
};

std::string_view errorText(ErrorNumber number);
ErrorNumber errorNumberFor(PlatformCode platformCode);

}  // namespace menue
