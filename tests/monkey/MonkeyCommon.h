// Shared pieces of the random runs: a seeded source of choices, message boxes answered at random,
// and a short log of the last events so a failure names what led to it.
#pragma once

#include <QAction>
#include <QRegularExpression>
#include <QString>
#include <cstdint>
#include <deque>
#include <random>
#include <sstream>
#include <string>

#include "common/qt/MsgBox.h"

namespace monkey {

class Chooser {
  public:
    explicit Chooser(std::uint32_t seed) : engine_(seed) {}
    // Uniform in [low, high].
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    double Real(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(engine_);
    }
    bool Chance(double p) { return Real(0.0, 1.0) < p; }
    std::mt19937& Engine() { return engine_; }

  private:
    std::mt19937 engine_;
};

// Answers every box at random: Yes or No to a question, OK to a notice, OK or Cancel otherwise.
// Remembers the last question and its answer for the caller's model.
class RandomBoxes {
  public:
    explicit RandomBoxes(Chooser& chooser) : chooser_(chooser) {
        halvoria::SetMsgBoxHandler([this](const std::string& text, int code, const std::string&) {
            int answer = halvoria::kMsgBoxOk;
            switch (code & 15) {
                case halvoria::kMsgBoxYesNo:
                    answer = chooser_.Chance(0.5) ? halvoria::kMsgBoxYes : halvoria::kMsgBoxNo;
                    break;
                case halvoria::kMsgBoxOkOnly:
                    break;
                default:
                    answer = chooser_.Chance(0.5) ? halvoria::kMsgBoxOk : halvoria::kMsgBoxCancel;
                    break;
            }
            asked.push_back({text, answer});
            return answer;
        });
    }
    ~RandomBoxes() { halvoria::SetMsgBoxHandler({}); }
    RandomBoxes(const RandomBoxes&) = delete;
    RandomBoxes& operator=(const RandomBoxes&) = delete;

    // Whether text was asked since the last Clear() and answered Yes.
    bool AnsweredYes(const std::string& text) const {
        for (const auto& [asked_text, answer] : asked)
            if (asked_text == text && answer == halvoria::kMsgBoxYes) return true;
        return false;
    }
    bool Asked(const std::string& text) const {
        for (const auto& entry : asked)
            if (entry.first == text) return true;
        return false;
    }
    void Clear() { asked.clear(); }

    std::deque<std::pair<std::string, int>> asked;

  private:
    Chooser& chooser_;
};

// The last few events, printed with a failure.
class EventLog {
  public:
    void Add(std::string event) {
        if (events_.size() == kKept) events_.pop_front();
        events_.push_back(std::move(event));
    }
    std::string Text() const {
        std::ostringstream out;
        for (const std::string& event : events_) out << "\n  " << event;
        return out.str();
    }

  private:
    static constexpr std::size_t kKept = 12;
    std::deque<std::string> events_;
};

inline bool Matches(const std::string& text, const char* pattern) {
    return QRegularExpression(QString::fromLatin1(pattern))
        .match(QString::fromStdString(text))
        .hasMatch();
}

}  // namespace monkey
