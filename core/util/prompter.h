#pragma once

#include <string>

namespace orv {

// The questions and messages core needs to put to the user. Core never shows UI itself;
// the desktop program answers through message boxes, the CLI and the tests answer in code.
// All texts are UTF-8.
class Prompter {
public:
    enum class Kind { Error, Warning, Information, Confirmation };
    enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Prompter() = default;

    // A modal message or question; returns the button chosen.
    virtual Answer ask(Kind kind, Buttons buttons, const std::string &text) = 0;
    // A message with an OK button only.
    void error(const std::string &text) { ask(Kind::Error, Buttons::Ok, text); }
    void warning(const std::string &text) { ask(Kind::Warning, Buttons::Ok, text); }
    void information(const std::string &text) { ask(Kind::Information, Buttons::Ok, text); }
    // A short self-closing notice ("データファイルに保存しました。").
    virtual void notice(const std::string &text) { (void)text; }
};

// Answers every question with a fixed answer and remembers the last text; the default where
// a caller has nobody to ask (scripting). Questions get `answer`, plain messages OK.
class SilentPrompter : public Prompter {
public:
    explicit SilentPrompter(Answer answer = Answer::Yes) : m_answer(answer) {}
    Answer ask(Kind, Buttons buttons, const std::string &text) override
    {
        m_last = text;
        ++m_count;
        return buttons == Buttons::Ok ? Answer::Ok : m_answer;
    }
    void notice(const std::string &text) override { m_lastNotice = text; }

    const std::string &last() const { return m_last; }
    const std::string &lastNotice() const { return m_lastNotice; }
    int count() const { return m_count; }

private:
    Answer m_answer;
    std::string m_last;
    std::string m_lastNotice;
    int m_count = 0;
};

// A shared silent prompter for callers that do not care about messages.
Prompter &nullPrompter();

} // namespace orv
