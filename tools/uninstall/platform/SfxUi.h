#pragma once
// Stand-in for the common-controls start: with a display the stub gets a Qt application object
// (its boxes and the library's progress dialog are then real windows), else it stays a console
// program. Lives as long as the stub's main flow.

#include <memory>

class QApplication;

namespace sfx
{

class CCommonControls
{
public:
    CCommonControls(int& argc, char** argv);
    ~CCommonControls();

private:
    std::unique_ptr<QApplication> m_app;
};

bool HasGui();

} // namespace sfx
