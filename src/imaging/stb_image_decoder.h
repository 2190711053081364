// The PNG and JPEG half of the image reader: stb_image, decoding from memory
// only. Kept behind this header so that one source alone includes stb.
#pragma once

#include <cstdint>
#include <span>

#include "imaging/image_reader.h"

// The size a PNG or JPEG announces: kNone; kTooLarge for more bytes than stb
// takes; kBroken when the header cannot be read, or stb will not take its
// size (it does not always say which).
ImageError StbImageSize(std::span<const std::uint8_t> bytes,
                        std::int32_t& width, std::int32_t& height);

// Decodes a PNG or JPEG whose announced size was found acceptable.
ImageError StbDecode(std::span<const std::uint8_t> bytes, DecodedBitmap& out);
