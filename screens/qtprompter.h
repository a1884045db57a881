#pragma once

#include "core/util/prompter.h"

#include <QString>

class QWidget;

namespace orv {

// Answers core's questions with modal message boxes over a parent window. Texts arrive in
// UTF-8 with "\r" as the line break.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    Answer ask(Kind kind, Buttons buttons, const std::string &text) override;
    void notice(const std::string &text) override;

    void setParent(QWidget *parent) { m_parent = parent; }
    static QString toQt(const std::string &text); // UTF-8, "\r" as line break

private:
    QWidget *m_parent;
};

} // namespace orv
