#include "ExifOrientation.h"

#include <cstring>

namespace lumora {

namespace {
struct TiffView {
    const std::uint8_t *data;
    std::size_t size;
    bool bigEndian;

    bool has(std::size_t offset, std::size_t count) const { return offset <= size && count <= size - offset; }
    std::uint16_t u16(std::size_t offset) const
    {
        const std::uint8_t *p = data + offset;
        return bigEndian ? std::uint16_t(p[0] << 8 | p[1]) : std::uint16_t(p[1] << 8 | p[0]);
    }
    std::uint32_t u32(std::size_t offset) const
    {
        const std::uint8_t *p = data + offset;
        return bigEndian ? std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3]
                         : std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    }
};

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeLong = 4;
} // namespace

int exifOrientation(const std::uint8_t *payload, std::size_t size)
{
    static const char kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (!payload || size < sizeof kExifId || std::memcmp(payload, kExifId, sizeof kExifId) != 0)
        return 0;
    // Offsets inside EXIF count from the TIFF header that follows the identifier.
    TiffView t{payload + sizeof kExifId, size - sizeof kExifId, false};
    if (!t.has(0, 8))
        return 0;
    if (t.data[0] == 'M' && t.data[1] == 'M')
        t.bigEndian = true;
    else if (!(t.data[0] == 'I' && t.data[1] == 'I'))
        return 0;
    if (t.u16(2) != 42)
        return 0;
    const std::uint32_t ifd0 = t.u32(4);
    if (!t.has(ifd0, 2))
        return 0;
    const std::size_t count = t.u16(ifd0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd0 + 2 + 12 * i;
        if (!t.has(entry, 12))
            return 0;
        if (t.u16(entry) != kOrientationTag)
            continue;
        const std::uint16_t type = t.u16(entry + 2);
        if (t.u32(entry + 4) < 1)
            return 0;
        // The value sits in the entry itself; a SHORT occupies its first two bytes.
        const std::uint32_t value = type == kTypeShort ? t.u16(entry + 8) : type == kTypeLong ? t.u32(entry + 8) : 0;
        return value >= 1 && value <= 8 ? int(value) : 0;
    }
    return 0;
}

} // namespace lumora
