// The PNG picture's exception classes, one per defect, each with the one message it carries.
#pragma once

#include "framework/Exception.h"

namespace zindra {

ZINDRA_EXCEPTION(EPngError, Exception);
ZINDRA_EXCEPTION(EPngInvalidFileHeader, Exception);
ZINDRA_EXCEPTION(EPngUnexpectedEnd, Exception);
ZINDRA_EXCEPTION(EPngIhdrNotFirst, Exception);
ZINDRA_EXCEPTION(EPngUnknownCriticalChunk, Exception);
ZINDRA_EXCEPTION(EPngNoImageData, Exception);
ZINDRA_EXCEPTION(EPngInvalidCrc, Exception);
ZINDRA_EXCEPTION(EPngInvalidIhdr, Exception);
ZINDRA_EXCEPTION(EPngSizeExceeds, Exception);
ZINDRA_EXCEPTION(EPngUnknownCompression, Exception);
ZINDRA_EXCEPTION(EPngUnknownInterlace, Exception);
ZINDRA_EXCEPTION(EPngInvalidPalette, Exception);
ZINDRA_EXCEPTION(EPngMissingMultipleIdat, Exception);
ZINDRA_EXCEPTION(EPngZlibError, Exception);
ZINDRA_EXCEPTION(EPngOutOfMemory, Exception);
ZINDRA_EXCEPTION(EPngHeaderNotPresent, Exception);

// The string table's texts, word for word as users have always seen them.
namespace pngtext {
inline constexpr const char* kInvalidFileHeader =
    "The file being readed is not a valid \"Portable Network Graphics\" image because it contains an invalid "
    "header. This file may be corruped, try obtaining it again.";
inline constexpr const char* kUnexpectedEnd =
    "This \"Portable Network Graphics\" image is invalid because the decoder found an unexpected end of the file.";
inline constexpr const char* kIhdrNotFirst =
    "This \"Portable Network Graphics\" image is not supported or it might be invalid.\r\n(IHDR chunk is not the "
    "first)";
inline constexpr const char* kUnknownCriticalChunk =
    "This \"Portable Network Graphics\" image contains an unknown critical part which could not be decoded.";
inline constexpr const char* kNoImageData = "This \"Portable Network Graphics\" image contains no data.";
inline constexpr const char* kInvalidCrc =
    "This \"Portable Network Graphics\" image is not valid because it contains invalid pieces of data (crc error)";
inline constexpr const char* kInvalidIhdr =
    "The \"Portable Network Graphics\" image could not be loaded because one of its main piece of data (ihdr) might "
    "be corrupted";
inline constexpr const char* kSizeExceeds =
    "This \"Portable Network Graphics\" image is not supported because either it's width or height exceeds the "
    "maximum size, which is 65535 pixels length.";
inline constexpr const char* kUnknownCompression =
    "This \"Portable Network Graphics\" image is encoded with an unknown compression scheme which could not be "
    "decoded.";
inline constexpr const char* kUnknownInterlace =
    "This \"Portable Network Graphics\" image uses an unknown interlace scheme which could not be decoded.";
inline constexpr const char* kInvalidPalette = "The \"Portable Network Graphics\" image contains an invalid palette.";
inline constexpr const char* kMissingMultipleIdat =
    "This \"Portable Network Graphics\" image is invalid because it has missing image parts.";
inline constexpr const char* kZlibError =
    "Could not decompress the image because it contains invalid compressed data.\r\n Description: ";
inline constexpr const char* kOutOfMemory =
    "Some operation could not be performed because the system is out of resources. Close some windows and try "
    "again.";
inline constexpr const char* kHeaderNotPresent =
    "This operation is not valid because the current image contains no valid header.";
inline constexpr const char* kCannotResize =
    "The \"Portable Network Graphics\" image can not be resize by changing width and height properties. Try "
    "assigning the image from a bitmap.";
inline constexpr const char* kIncompatibleChunks = "The chunks must be compatible to be assigned.";
inline constexpr const char* kNoSuchPaletteEntry = "There is no such palette entry.";
}  // namespace pngtext

// The description of a zlib return code as the zlib error message ends with it.
const char* ZlibCodeDescription(int code);

}  // namespace zindra
