#pragma once

#include <QApplication>
#include <QObject>
#include <QTimer>

#include <functional>

// Closes a program's window once it is shown and no box of the start waits, from the event loop of
// whoever runs the program, so a test can run a whole start. `look` sees the window first.
template <class TWindow> class CWindowCloser : public QObject
{
public:
    explicit CWindowCloser(std::function<TWindow*()> find, std::function<void(TWindow&)> look = nullptr)
        : m_find(std::move(find)), m_look(std::move(look))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(5);
    }

    // The window was shown and closed.
    bool closed() const { return m_bClosed; }

private:
    void poll()
    {
        TWindow* pWindow = m_find();
        if (!pWindow || !pWindow->isVisible() || QApplication::activeModalWidget())
            return;
        if (m_look)
            m_look(*pWindow);
        m_bClosed = true;
        pWindow->close();
    }

    std::function<TWindow*()> m_find;
    std::function<void(TWindow&)> m_look;
    QTimer m_timer;
    bool m_bClosed = false;
};
