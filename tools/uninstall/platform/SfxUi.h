#pragma once
// Stand-in for the common-controls start: with a display the stub gets a Qt application object
// (its boxes and the library's progress dialog are then real windows), else it stays a console
// program. The object is made on first need, not at start-up: the library runs in a child
// process of the stub, which must not share a display connection made before it was started.

namespace sfx
{

// Keeps the command line for the application object; lives as long as the stub's main flow and
// frees the object at its end.
class CCommonControls
{
public:
    CCommonControls(int& argc, char** argv);
    ~CCommonControls();
};

// Makes the application object when a display is present and none exists yet.
void InitCommonControls();
void FreeCommonControls();

bool HasGui();

} // namespace sfx
