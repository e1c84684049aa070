#pragma once
// A presenter for tests: records every box that was asked for and answers
// from a script (mrOk, or the first button offered, when the script is empty).
#include "platform/rtl/presenter.h"
#include <deque>
#include <vector>

class ScriptedPresenter : public TPresenter {
public:
    ScriptedPresenter() { SetPresenter(this); }
    ~ScriptedPresenter() override { SetPresenter(nullptr); }

    void Answer(int result) { answers.push_back(result); }

    int ShowMessage(const TMessageRequest& request) override {
        shown.push_back(request);
        if (!answers.empty()) {
            int result = answers.front();
            answers.pop_front();
            return result;
        }
        return DefaultAnswer(request.Buttons);
    }
    void ShowException(const Exception& error) override { errors.push_back(error.Message); }
    void SetHourglass(bool on) override { hourglass = on; ++hourglassChanges; }
    void SetProgressMax(int max) override { progressMax = max; }
    void SetProgressPosition(int position) override { progressPositions.push_back(position); }

    QString LastText() const { return shown.empty() ? QString() : shown.back().Text; }

    std::deque<int> answers;
    std::vector<TMessageRequest> shown;
    std::vector<QString> errors;
    bool hourglass = false;
    int hourglassChanges = 0;
    int progressMax = 0;
    std::vector<int> progressPositions;
};
