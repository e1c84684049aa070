#include "app/headless_boxes.h"
#include "platform/ui/application.h"

namespace {

class TStandardErrorPresenter : public TPresenter {
public:
    int ShowMessage(const TMessageRequest& request) override
    {
        if (request.Type == TMsgDlgType::mtError)
            WriteErrorLine(request.Text);
        return DefaultAnswer(request.Buttons);
    }
    void ShowException(const Exception& error) override { WriteErrorLine(error.Message); }
    void SetHourglass(bool) override {}
    void SetProgressMax(int) override {}
    void SetProgressPosition(int) override {}
};

} // namespace

THeadlessBoxes::THeadlessBoxes()
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen") || &Presenter() != &Application->QtPresenter())
        return;
    presenter_ = std::make_unique<TStandardErrorPresenter>();
    SetPresenter(presenter_.get());
}

THeadlessBoxes::~THeadlessBoxes()
{
    if (presenter_ && &Presenter() == presenter_.get())
        SetPresenter(&Application->QtPresenter());
}
