// The Windows numbers the platform interface speaks, each with one name:
// the error codes of platform calls, the scan codes, key-state bits, mouse
// flags and input modes of the console records.
#pragma once

#include <cstdint>

namespace menue {

// A Windows-numbered error code of a platform call; 0 means success.
using PlatformCode = std::uint32_t;

// Windows error codes the core and the backends name.
namespace code {
inline constexpr PlatformCode Success = 0;
inline constexpr PlatformCode InvalidFunction = 1;
inline constexpr PlatformCode FileNotFound = 2;
inline constexpr PlatformCode PathNotFound = 3;
inline constexpr PlatformCode TooManyOpenFiles = 4;
inline constexpr PlatformCode AccessDenied = 5;
inline constexpr PlatformCode InvalidHandle = 6;
inline constexpr PlatformCode ArenaTrashed = 7;
inline constexpr PlatformCode NotEnoughMemory = 8;
inline constexpr PlatformCode InvalidBlock = 9;
inline constexpr PlatformCode BadEnvironment = 10;
inline constexpr PlatformCode BadFormat = 11;
inline constexpr PlatformCode InvalidAccess = 12;
inline constexpr PlatformCode InvalidData = 13;
inline constexpr PlatformCode OutOfMemory = 14;
inline constexpr PlatformCode InvalidDrive = 15;
inline constexpr PlatformCode NotSameDevice = 17;
inline constexpr PlatformCode NoMoreFiles = 18;
inline constexpr PlatformCode WriteProtect = 19;
inline constexpr PlatformCode BadUnit = 20;
inline constexpr PlatformCode NotReady = 21;
inline constexpr PlatformCode BadCommand = 22;
inline constexpr PlatformCode Crc = 23;
inline constexpr PlatformCode BadLength = 24;
inline constexpr PlatformCode Seek = 25;
inline constexpr PlatformCode NotDosDisk = 26;
inline constexpr PlatformCode SectorNotFound = 27;
inline constexpr PlatformCode OutOfPaper = 28;
inline constexpr PlatformCode WriteFault = 29;
inline constexpr PlatformCode ReadFault = 30;
inline constexpr PlatformCode GeneralFailure = 31;
inline constexpr PlatformCode SharingViolation = 32;
inline constexpr PlatformCode LockViolation = 33;
inline constexpr PlatformCode WrongDisk = 34;
inline constexpr PlatformCode FcbUnavailable = 35;
inline constexpr PlatformCode SharingBufferExceeded = 36;
inline constexpr PlatformCode HandleEof = 38;
inline constexpr PlatformCode HandleDiskFull = 39;
inline constexpr PlatformCode FileExists = 80;
inline constexpr PlatformCode InvalidParameter = 87;
inline constexpr PlatformCode DiskFull = 112;
inline constexpr PlatformCode InvalidName = 123;
inline constexpr PlatformCode AlreadyExists = 183;
inline constexpr PlatformCode FilenameExcedRange = 206;
inline constexpr PlatformCode DirectoryNameInvalid = 267;
// The file is no longer what its reader saw: another program changed,
// created or removed it since.
inline constexpr PlatformCode FileInvalid = 1006;
}  // namespace code

// Scan codes of the keys the records carry (the keyboard's set 1, as the
// Windows console reports them).
namespace scan {
inline constexpr std::uint16_t Escape = 0x01;
inline constexpr std::uint16_t Backspace = 0x0E;
inline constexpr std::uint16_t Tab = 0x0F;
inline constexpr std::uint16_t Enter = 0x1C;
inline constexpr std::uint16_t Ctrl = 0x1D;
inline constexpr std::uint16_t LeftShift = 0x2A;
inline constexpr std::uint16_t RightShift = 0x36;
inline constexpr std::uint16_t Alt = 0x38;
inline constexpr std::uint16_t Space = 0x39;
inline constexpr std::uint16_t CapsLock = 0x3A;
inline constexpr std::uint16_t F1 = 0x3B;  // F1-F10 are consecutive
inline constexpr std::uint16_t F2 = 0x3C;
inline constexpr std::uint16_t F3 = 0x3D;
inline constexpr std::uint16_t F4 = 0x3E;
inline constexpr std::uint16_t F5 = 0x3F;
inline constexpr std::uint16_t F6 = 0x40;
inline constexpr std::uint16_t F7 = 0x41;
inline constexpr std::uint16_t F8 = 0x42;
inline constexpr std::uint16_t F9 = 0x43;
inline constexpr std::uint16_t F10 = 0x44;
inline constexpr std::uint16_t NumLock = 0x45;
inline constexpr std::uint16_t ScrollLock = 0x46;
inline constexpr std::uint16_t Home = 0x47;
inline constexpr std::uint16_t Up = 0x48;
inline constexpr std::uint16_t PageUp = 0x49;
inline constexpr std::uint16_t Left = 0x4B;
inline constexpr std::uint16_t Right = 0x4D;
inline constexpr std::uint16_t End = 0x4F;
inline constexpr std::uint16_t Down = 0x50;
inline constexpr std::uint16_t PageDown = 0x51;
inline constexpr std::uint16_t Insert = 0x52;
inline constexpr std::uint16_t Delete = 0x53;
inline constexpr std::uint16_t F11 = 0x57;
inline constexpr std::uint16_t F12 = 0x58;
}  // namespace scan

// Control-key state bits of key and mouse records (Windows values).
namespace keystate {
inline constexpr std::uint32_t RightAlt = 0x0001;
inline constexpr std::uint32_t LeftAlt = 0x0002;
inline constexpr std::uint32_t RightCtrl = 0x0004;
inline constexpr std::uint32_t LeftCtrl = 0x0008;
inline constexpr std::uint32_t Shift = 0x0010;
inline constexpr std::uint32_t NumLock = 0x0020;
inline constexpr std::uint32_t ScrollLock = 0x0040;
inline constexpr std::uint32_t CapsLock = 0x0080;
inline constexpr std::uint32_t Enhanced = 0x0100;
}  // namespace keystate

// Mouse event flags and button bits (Windows values).
namespace mouse {
inline constexpr std::uint32_t Moved = 0x0001;
inline constexpr std::uint32_t DoubleClick = 0x0002;
inline constexpr std::uint32_t Wheeled = 0x0004;
inline constexpr std::uint32_t HWheeled = 0x0008;
inline constexpr std::uint32_t LeftButton = 0x0001;
inline constexpr std::uint32_t RightButton = 0x0002;
inline constexpr std::uint32_t MiddleButton = 0x0004;
}  // namespace mouse

// Console input modes the core sets.
namespace inputmode {
inline constexpr std::uint32_t None = 0x0000;
inline constexpr std::uint32_t Mouse = 0x0010;  // ENABLE_MOUSE_INPUT
}  // namespace inputmode

}  // namespace menue
