#pragma once

// Registers the pictures compiled into the views library (":/Pixmaps/": the unit pictures and the
// check marks of the tab style sheet). A static library's resources are only linked in when
// referenced, so every page that uses them calls this first; repeated calls are harmless.
void initViewResources();
