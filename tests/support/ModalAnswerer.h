#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

// Answers modal widgets from the event loop of whoever runs them, instead of sleeping in the test.
// The handler sees every modal widget that becomes active and returns true once it has dealt with it.
class CModalAnswerer : public QObject
{
public:
    using Handler = std::function<bool(QWidget*)>;

    explicit CModalAnswerer(Handler handler) : m_handler(std::move(handler))
    {
        connect(&m_timer, &QTimer::timeout, this, &CModalAnswerer::poll);
        m_timer.start(1);
    }

    int handled() const { return m_nHandled; }

private:
    void poll()
    {
        QWidget* pModal = QApplication::activeModalWidget();
        if (pModal && pModal != m_pLast && m_handler(pModal))
        {
            m_pLast = pModal;
            ++m_nHandled;
        }
    }

    Handler m_handler;
    QTimer m_timer;
    QPointer<QWidget> m_pLast;
    int m_nHandled = 0;
};

// What a message box showed before it was answered.
struct SBoxSeen
{
    QMessageBox::Icon icon;
    QString title;
    QString text;
    bool bHasParent;
};

// Answers every message box with the given button and records what it showed.
class CBoxAnswerer : public CModalAnswerer
{
public:
    explicit CBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : CModalAnswerer(
              [this, answer](QWidget* pWidget)
              {
                  auto* pBox = qobject_cast<QMessageBox*>(pWidget);
                  if (!pBox)
                      return false;
                  seen.append(
                      {pBox->icon(), pBox->windowTitle(), pBox->text(), pBox->parentWidget() != nullptr});
                  QAbstractButton* pButton = pBox->button(answer);
                  if (!pButton)
                      pButton = pBox->buttons().value(0);
                  QTimer::singleShot(0, pButton, &QAbstractButton::click);
                  return true;
              })
    {
    }

    QList<SBoxSeen> seen;
};
