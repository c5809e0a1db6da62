// Turns the game's 32-pixel window icon into the icon theme's sizes without
// blurring the pixel art: whole-number enlargements with the rest left clear
// around it, and halving by averaging each 2x2 block.
#pragma once

#include <stdexcept>

#include "ui/pictures.h"

namespace packaging {

// A square icon of size x size pixels from a square picture. Sizes that are
// neither at least the picture's size nor a whole fraction of it would need
// blurring and are refused with std::invalid_argument.
ui::Bitmap IconOfSize(const ui::Bitmap& picture, int size);

}  // namespace packaging
