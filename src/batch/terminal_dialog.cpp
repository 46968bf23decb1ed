#include "terminal_dialog.h"

#include <cstdio>

namespace zolt::batch {

TerminalDialog::TerminalDialog(bool answerYes, const QString &inputAnswer)
    : m_answerYes(answerYes), m_inputAnswer(inputAnswer), m_out(stdout), m_err(stderr)
{
}

void TerminalDialog::message(const QString &text, MessageIcon, const QString &)
{
    QString block = text;
    block.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_out << block << "\n\n";
    m_out.flush();
}

bool TerminalDialog::askYesNo(const QString &text, const QString &title, MessageIcon)
{
    m_err << title << ": " << text << "\n  -> " << (m_answerYes ? "Yes" : "No") << "\n";
    m_err.flush();
    return m_answerYes;
}

QString TerminalDialog::inputBox(const QString &prompt, const QString &title, const QString &)
{
    m_err << title << ": " << prompt << "\n  -> " << (m_inputAnswer.isEmpty() ? "(cancelled)" : m_inputAnswer)
          << "\n";
    m_err.flush();
    return m_inputAnswer;
}

void TerminalDialog::line(const QString &text)
{
    m_out << text << "\n";
    m_out.flush();
}

}  // namespace zolt::batch
