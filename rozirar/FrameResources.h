#pragma once

// Registers the frame's compiled-in resources (style sheet, pixmaps, translations). They live
// in a static library, so nothing would pull them into the program otherwise.
void initFrameResources();
