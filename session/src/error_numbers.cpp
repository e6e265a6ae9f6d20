// ErrorNumbers: their fixed English texts and the mapping from the
// platform's (Windows-numbered) error codes.
#include "session/error_numbers.h"

#include <array>
#include <utility>

namespace menue {

std::string_view errorText(ErrorNumber number) {
  using E = ErrorNumber;
  static constexpr std::array<std::pair<E, std::string_view>, 29> Texts{{
      {E::IllegalFunctionCall, "Illegal function call"},
      {E::Overflow, "Overflow"},
      {E::OutOfMemory, "Out of memory"},
      {E::SubscriptOutOfRange, "Subscript/Pointer out of range"},
      {E::DivisionByZero, "Division by zero"},
      {E::DeviceTimeout, "Device timeout"},
      {E::InternalError, "Internal error"},
      {E::BadFileNameOrNumber, "Bad file name or number"},
      {E::FileNotFound, "File not found"},
      {E::BadFileMode, "Bad file mode"},
      {E::FileIsOpen, "File is open"},
      {E::DeviceIoError, "Device I/O error"},
      {E::FileAlreadyExists, "File already exists"},
      {E::DiskFull, "Disk full"},
      {E::InputPastEnd, "Input past end"},
      {E::BadRecordNumber, "Bad record number"},
      {E::BadFileName, "Bad file name"},
      {E::TooManyFiles, "Too many files"},
      {E::DeviceUnavailable, "Device unavailable"},
      {E::CommError, "Comm error"},
      {E::PermissionDenied, "Permission denied"},
      {E::DiskNotReady, "Disk not ready"},
      {E::DiskMediaError, "Disk media error"},
      {E::RenameAcrossDisks, "Rename across disks"},
      {E::PathFileAccessError, "Path/file access error"},
      {E::PathNotFound, "Path not found"},
      {E::ObjectError, "Object error"},
      {E::GlobalMemoryCorrupt, "Global memory corrupt"},
      {E::StringSpaceCorrupt, "String space corrupt"},
  }};
  for (const auto& [entry, text] : Texts) {
    if (entry == number) return text;
  }
  return {};
}

ErrorNumber errorNumberFor(PlatformCode platformCode) {
  using E = ErrorNumber;
  switch (platformCode) {
    case code::Success:
      return E::None;
    case code::FileNotFound:
    case code::NoMoreFiles:
      return E::FileNotFound;
    case code::PathNotFound:
      return E::PathNotFound;
    case code::TooManyOpenFiles:
      return E::TooManyFiles;
    case code::AccessDenied:
    case code::WriteProtect:
    case code::SharingViolation:
    case code::LockViolation:
    case code::SharingBufferExceeded:
      return E::PermissionDenied;
    case code::InvalidHandle:
    case code::BadFormat:
    case code::InvalidAccess:
    case code::InvalidData:
    case code::BadCommand:
    case code::BadLength:
      return E::InternalError;
    case code::ArenaTrashed:
    case code::InvalidBlock:
    case code::BadEnvironment:
      return E::GlobalMemoryCorrupt;
    case code::NotEnoughMemory:
    case code::OutOfMemory:
      return E::OutOfMemory;
    case code::InvalidDrive:
    case code::BadUnit:
      return E::DeviceUnavailable;
    case code::NotSameDevice:
      return E::RenameAcrossDisks;
    case code::NotReady:
      return E::DiskNotReady;
    case code::Crc:
    case code::Seek:
    case code::NotDosDisk:
    case code::SectorNotFound:
    case code::OutOfPaper:
    case code::WriteFault:
    case code::ReadFault:
    case code::GeneralFailure:
    case code::WrongDisk:
    case code::FcbUnavailable:
      return E::DiskMediaError;
    case code::HandleEof:
      return E::InputPastEnd;
    case code::HandleDiskFull:
    case code::DiskFull:
      return E::DiskFull;
    case code::InvalidParameter:
      return E::IllegalFunctionCall;
    default:
      return E::PathFileAccessError;
  }
}

}  // namespace menue
