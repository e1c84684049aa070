#include "app/splash_form.h"
#include "app/jpeg_image.h"
#include "data/accounts_directory.h"
#include "platform/db/session.h"
#include "platform/ui/application.h"
#include "platform/ui/design_fonts.h"
#include <QFile>
#include <QPixmap>

TSplashForm* SplashForm = nullptr;

namespace {

const QString TablePassword = QStringLiteral("quorvintel");
// Written without a scheme: the link label shows it bare and adds one when it opens.
const QString WebPage = QStringLiteral("quelt.example.org");

QFont LabelFont(int pixelHeight, bool underline)
{
    QFont font = DesignFont(QStringLiteral("MS Sans Serif"), -pixelHeight);
    font.setBold(true);
    font.setUnderline(underline);
    return font;
}

void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, colour);
    widget->setPalette(colours);
}

} // namespace

// Outside any namespace, as Qt's resource initialiser requires.
static void InitSplashResources()
{
    Q_INIT_RESOURCE(resources);
}

QByteArray SplashPictureData()
{
    InitSplashResources();
    QFile file(QStringLiteral(":/splash.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        throw EJpegError(QStringLiteral("The splash picture is missing from the program"));
    return file.readAll();
}

QImage SplashPicture()
{
    return DecodeJpeg(SplashPictureData());
}

QString SplashMarkerFile()
{
    return AccountsFile(QStringLiteral("oru.oru"));
}

TSplashForm::TSplashForm()
{
    setObjectName(QStringLiteral("SplashForm"));
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetClientSize(401, 227);
    SetPosition(TPosition::poScreenCenter);
    SetFormStyle(TFormStyle::fsStayOnTop);
    SetDesignFont(QStringLiteral("MS Sans Serif"), -11);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 401, 227);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setAutoFillBackground(true);
    QPalette silver = Panel1->palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    Panel1->setPalette(silver);

    const QPixmap picture = QPixmap::fromImage(SplashPicture());
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(picture);
    Image1->setGeometry(1, 1, 399, picture.height());

    LblDistDetails = new QLabel(Panel1);
    LblDistDetails->setObjectName(QStringLiteral("LblDistDetails"));
    LblDistDetails->setGeometry(8, 176, 300, 16);
    LblDistDetails->setWordWrap(true);
    LblDistDetails->setFont(LabelFont(11, false));
    SetTextColour(LblDistDetails, Qt::blue);

    FusedLabel1 = new TFusedLabel(Panel1);
    FusedLabel1->setObjectName(QStringLiteral("FusedLabel1"));
    FusedLabel1->setGeometry(8, 196, 191, 17);
    FusedLabel1->setFont(LabelFont(13, true));
    FusedLabel1->SetFontColor(Qt::red);
    FusedLabel1->SetEnterColor(Qt::black);
    FusedLabel1->SetAFitType(TFitType::NormalFit);
    FusedLabel1->SetButtonLike(true);
    FusedLabel1->SetCaption(QStringLiteral("quelt.example.org"));
    FusedLabel1->SetURL(WebPage);

    BtnOk = new QPushButton(QStringLiteral("Thank You"), Panel1);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setGeometry(316, 192, 75, 25);
    BtnOk->setVisible(false);
    connect(BtnOk, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(Timer1); });

    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    OnCloseQuery = [this](QObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    DoCreate();
}

TSplashForm::~TSplashForm()
{
    if (SplashForm == this)
        SplashForm = nullptr;
}

void TSplashForm::FormCreate(QObject*)
{
    Session().AddPassword(TablePassword);
    LblDistDetails->setText(QStringLiteral("Find the latest Version on the web at: "));
    if (QFile::exists(SplashMarkerFile()))
        SetFormStyle(TFormStyle::fsNormal);
}

void TSplashForm::FormCloseQuery(QObject*, bool&)
{
    // The splash window may always close.
}

void TSplashForm::Timer1Timer(QObject*)
{
    Timer1->stop();
    BtnOk->setVisible(true);
}

int ShowAboutBox()
{
    SplashForm = new TSplashForm;
    Application->InsertComponent(SplashForm);
    SplashForm->Timer1->start();
    return SplashForm->ShowModal();
}
