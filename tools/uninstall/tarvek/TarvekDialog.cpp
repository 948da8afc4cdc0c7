#include "TarvekDialog.h"
#include "TarvekIni.h"
#include "TarvekScript.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>
#include <iostream>

namespace tarvek
{

namespace
{

bool HasGui()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

std::string Hex(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

// One control of a dialog: a widget inside the dialog's window, or a console line.
class CTarvekControl : public sfx::CWindow
{
public:
    CTarvekControl(const SControlDef& def, QWidget* widget) : m_id(def.id), m_widget(widget) {}

    int id() const { return m_id; }

    std::intptr_t sendMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t) override
    {
        LogEvent("control " + std::to_string(m_id) + " message " + Hex(msg) + " " + std::to_string(wParam));
        if (msg != sfx::PBM_SETPOS)
            return 0;
        if (auto* bar = qobject_cast<QProgressBar*>(m_widget))
        {
            bar->setValue(int(wParam));
            QCoreApplication::processEvents();
        }
        else if (!m_widget)
        {
            std::cout << wParam << "%" << std::endl;
        }
        return 0;
    }

    void showWindow(int cmd) override
    {
        LogEvent("control " + std::to_string(m_id) + " show " + std::to_string(cmd));
        if (m_widget)
            m_widget->setVisible(cmd != sfx::SW_HIDE);
    }

private:
    int m_id;
    QWidget* m_widget; // owned by the dialog's window
};

std::optional<SDialogDef> ReadDialogDef(const std::string& path, const std::string& name)
{
    const CIniSections sections = ReadIniFile(path);
    const auto section = sections.find(name);
    if (section == sections.end())
        return std::nullopt;
    SDialogDef def;
    for (const std::string& line : section->second)
    {
        std::string key, value;
        if (!SplitKeyValue(line, key, value))
            continue;
        if (key == "size")
        {
            std::sscanf(value.c_str(), "%d,%d", &def.width, &def.height);
        }
        else if (key == "caption")
        {
            def.caption = value;
        }
        else if (key == "control")
        {
            const size_t first = value.find(',');
            const size_t second = first == std::string::npos ? first : value.find(',', first + 1);
            if (second == std::string::npos)
                return std::nullopt;
            def.controls.push_back({value.substr(0, first),
                                    std::atoi(value.substr(first + 1, second - first - 1).c_str()),
                                    value.substr(second + 1)});
        }
    }
    return def;
}

void CTarvekDialog::SWidgetDeleter::operator()(QWidget* widget) const
{
    // Widgets cannot outlive the application object; after it they are left to the system.
    if (QCoreApplication::instance())
        delete widget;
}

CTarvekDialog::CTarvekDialog(const SDialogDef& def, const CTarvekVars& vars)
{
    const std::string caption = vars.eval(def.caption);
    QVBoxLayout* layout = nullptr;
    if (HasGui())
    {
        auto* dialog = new QDialog;
        m_widget.reset(dialog);
        dialog->setWindowTitle(ToQString(caption));
        dialog->resize(def.width, def.height);
        layout = new QVBoxLayout(dialog);
    }
    else
    {
        std::cout << caption << std::endl;
    }
    for (const SControlDef& control : def.controls)
    {
        const QString text = ToQString(vars.eval(control.text));
        QWidget* widget = nullptr;
        if (layout)
        {
            if (control.kind == "button")
                widget = new QPushButton(text);
            else if (control.kind == "group")
                widget = new QGroupBox(text);
            else if (control.kind == "label")
                widget = new QLabel(text);
            else if (control.kind == "progress")
                widget = new QProgressBar;
            if (widget)
                layout->addWidget(widget);
        }
        else if (control.kind == "label")
        {
            std::cout << text.toStdString() << std::endl;
        }
        m_controls.push_back(std::make_unique<CTarvekControl>(control, widget));
    }
    if (m_widget)
    {
        m_widget->show();
        QCoreApplication::processEvents();
    }
}

CTarvekDialog::~CTarvekDialog() = default;

sfx::HWND CTarvekDialog::item(int id) const
{
    for (const auto& control : m_controls)
        if (control->id() == id)
            return control.get();
    return nullptr;
}

std::intptr_t CTarvekDialog::sendMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t)
{
    LogEvent("dialog message " + Hex(msg) + " " + std::to_string(wParam));
    if (msg == sfx::WM_XR_UNINSTALL_DONE && m_widget)
        m_widget->hide();
    return 0;
}

void CTarvekDialog::showWindow(int cmd)
{
    LogEvent("dialog show " + std::to_string(cmd));
    if (m_widget)
        m_widget->setVisible(cmd != sfx::SW_HIDE);
}

} // namespace tarvek
