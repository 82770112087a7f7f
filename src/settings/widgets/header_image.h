// The header strip's button image: four 22 x 20 pixel pictures side by
// side ("New", "Delete", "Move Up", "Move Down"), 88 x 20 pixels in 16
// colours, kept in the program as a complete bitmap file so that the
// window system can load it the way it loads any bitmap file.
#ifndef C51_SETTINGS_WIDGETS_HEADER_IMAGE_H_
#define C51_SETTINGS_WIDGETS_HEADER_IMAGE_H_

#include <string>

namespace c51::settings {

// The bytes of a 4-bit, bottom-up, uncompressed bitmap file. The
// background is the 3-D face grey (192,192,192), so that a loader mapping
// the 3-D greys puts the strip's own face colour behind the pictures.
std::string HeaderImageBitmapFile();

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIDGETS_HEADER_IMAGE_H_
