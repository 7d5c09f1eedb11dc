#pragma once

// Everything for drawing: colours, fonts, brushes, canvases, bitmaps, pictures and icons.

#include "forms/Bitmap.h"
#include "forms/Brush.h"
#include "forms/Canvas.h"
#include "forms/Color.h"
#include "forms/Font.h"
#include "forms/Graphic.h"
#include "forms/Icon.h"
#include "forms/Picture.h"
#include "forms/PixelView.h"
