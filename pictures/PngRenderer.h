#pragma once

#include <string>
#include <string_view>

// An SVG picture rendered to PNG by librsvg's rsvg-convert (Debian's librsvg2-bin), run as a
// child process with the picture on its standard input. A child keeps the toolkit librsvg
// brings (cairo, pango, glib) out of motion-host, which needs it for this one option only.
//
// False with a message naming what went wrong: rsvg-convert missing, failing or refusing the
// picture.
bool RenderPng(std::string_view svg, std::string& png, std::string& error);
