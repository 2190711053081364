// Writes a canvas as an RGBA PNG.
#pragma once

#include <string>

class CCanvas;

// Colour is un-premultiplied into ordinary straight-alpha RGBA unless
// `premultiplied` asks for the raw words. False with a message on failure.
bool WritePng(const CCanvas& canvas, const std::string& path,
              bool premultiplied, std::string& error);
