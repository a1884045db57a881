#pragma once

// Answers the program's questions from a script in screen tests and records what was asked.

#include "core/util/prompter.h"

#include <deque>
#include <string>
#include <vector>

class ScriptedPrompter : public orv::Prompter {
public:
    // Answers given in order to questions (Yes/No/Cancel boxes); plain messages get OK.
    std::deque<Answer> answers;
    Answer fallback = Answer::No;
    std::vector<std::string> asked;   // every text, in order
    std::vector<std::string> notices;

    Answer ask(Kind, Buttons buttons, const std::string &text) override
    {
        asked.push_back(text);
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (answers.empty())
            return fallback;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void notice(const std::string &text) override { notices.push_back(text); }

    bool wasAsked(const std::string &part) const
    {
        for (const auto &t : asked)
            if (t.find(part) != std::string::npos)
                return true;
        return false;
    }
};
