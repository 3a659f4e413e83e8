#pragma once
// A small, bounds-checked reader of the one EXIF field the album needs: the
// Orientation tag (0x0112) of IFD0. It reads the payload of a JPEG APP1
// segment as found in the file and never allocates; damaged or hostile data
// simply yields "no orientation".
#include <cstddef>
#include <cstdint>

namespace lumora {

// `payload` is the APP1 segment content after its 2-byte length field,
// starting with "Exif\0\0". Returns 1..8, or 0 when the segment is not EXIF,
// carries no Orientation tag, or is damaged.
int exifOrientation(const std::uint8_t *payload, std::size_t size);

} // namespace lumora
