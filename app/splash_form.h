#pragma once
// The splash window: shown while the program starts and again, from the Help
// menu, as the About box.
#include "platform/ui/form.h"
#include "widgets/fused_label.h"
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

class TSplashForm : public TForm {
    Q_OBJECT
public:
    TSplashForm();
    ~TSplashForm() override;

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* LblDistDetails;
    TFusedLabel* FusedLabel1;
    QPushButton* BtnOk;
    QTimer* Timer1;

    void FormCreate(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);
    void Timer1Timer(QObject* sender);
};

// The current splash window: the start-up one, then each About box.
extern TSplashForm* SplashForm;

// The About box: a new splash window whose "Thank You" button appears after a
// second. It stays, hidden, with the application until exit.
int ShowAboutBox();

// The file whose presence keeps the splash window from staying on top.
QString SplashMarkerFile();

// The splash picture carried in the program's resources, as JPEG data and decoded.
QByteArray SplashPictureData();
QImage SplashPicture();
