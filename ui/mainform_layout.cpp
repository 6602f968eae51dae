// The main window's controls, places, texts, colours, fonts and pictures.
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleFactory>
#include <QTimer>
#include <QToolButton>

#include "ui/controls.h"
#include "ui/errorreport.h"
#include "ui/jpeg.h"
#include "ui/layoutscale.h"
#include "ui/mainform.h"
#include "workspace/files.h"

namespace bw {
namespace {

const QColor kListColour(0xEB, 0xD4, 0xAA);
const QColor kTargetsColour(0xEC, 0xD2, 0xA4);
const QColor kButtonTextColour(0x46, 0x39, 0x30);

QFont HeuristicaPixels(int pixels, bool bold = false) { return PixelFont(QStringLiteral("Heuristica"), pixels, bold); }

// "Font 15": Heuristica, 15 pixels, regular, in the system's window-text colour.
void SetFont15(QWidget* control) {
  control->setFont(HeuristicaPixels(15));
  QPalette palette = control->palette();
  palette.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
  palette.setColor(QPalette::Text, QApplication::palette().color(QPalette::Text));
  control->setPalette(palette);
}

void SetColour(QWidget* control, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = control->palette();
  palette.setColor(role, colour);
  control->setPalette(palette);
}

// Spin arrows that repeat every 50 ms while held.
class SpinBoxStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_SpinBox_ClickAutoRepeatRate) return 50;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

void TMainForm::CreateImages() {
  const QStringList order = QString::fromUtf8(ReadFile(QStringLiteral(":/art/collection/order.txt")))
                                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  const TImageCollection& collection = images_.ImageCollection;
  images_.ImageCollection.LoadPng(QStringLiteral(":/art/collection/"), order);
  // The product, group and region pictures; not the user-interface, item-slot and building ones.
  for (int i = 0; i <= 229; ++i) images_.ImageList.AddFrom(collection, i);
  for (int i = 236; i <= 239; ++i) images_.ImageList.AddFrom(collection, i);
  for (int i = 254; i <= 257; ++i) images_.ImageList.AddFrom(collection, i);
  for (int n = 1; n <= 6; ++n) {
    images_.ItemImageList.AddFrom(collection, collection.IndexOf(QStringLiteral("Item_%1").arg(n)));
    images_.ItemImageList.AddFrom(collection, collection.IndexOf(QStringLiteral("Item_%1_dark").arg(n)));
  }
  for (const char* name : {"Region1", "Region2", "Region3", "Region4", "Region1dark", "Region2dark", "Region3dark",
                           "Region4Dark"}) {
    images_.TargetsImageList.AddFrom(collection, collection.IndexOf(QString::fromLatin1(name)));
  }
  images_.HelpImageCollection.LoadPng(QStringLiteral(":/art/help/"),
                                      {QStringLiteral("Achtung"), QStringLiteral("Fehler"), QStringLiteral("Frage"),
                                       QStringLiteral("Information"), QStringLiteral("NoXmlError"), QStringLiteral("Okay"),
                                       QStringLiteral("XMLError")});
}

void TMainForm::CreateControls() {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Brennwick"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(QIcon(QStringLiteral(":/art/app_icon.png")));
  setFont(HeuristicaPixels(13));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Dark));  // the button-shadow colour
  palette.setColor(QPalette::WindowText, kButtonTextColour);
  setPalette(palette);

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setAutoFillBackground(true);
  setCentralWidget(client);
  setFixedSize(Scaled(QSize(1984, 927)));

  // A picture at its own size, unless it is stretched to the control.
  auto picture = [client](const QString& name, int x, int y, int w, int h, const QImage& image, bool stretched = false) {
    auto* control = new TImage(name, client);
    control->setGeometry(Scaled(QRect(x, y, w, h)));
    control->setScaledContents(stretched);
    control->setPixmap(QPixmap::fromImage(stretched ? image : ShownImage(image)));
    return control;
  };
  BackImage = picture(QStringLiteral("BackImage"), -3, -1, 1800, 50,
                      DecodeJpeg(ReadFile(QStringLiteral(":/art/background_main.jpg")), QStringLiteral("background_main.jpg")));
  BackImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  CorvanaImage = picture(QStringLiteral("CorvanaImage"), 1437, 40, 200, 72, ArtImage(QStringLiteral(":/art/corvana_logo.png")), true);
  Image1 = picture(QStringLiteral("Image1"), 1477, 136, 128, 128, ArtImage(QStringLiteral(":/art/bale.png")));
  BrassmoorImage = picture(QStringLiteral("BrassmoorImage"), 78, 844, 200, 24, ArtImage(QStringLiteral(":/art/maker_logo.png")));
  BrassmoorImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Version = NewLabel(QStringLiteral("Version"), QStringLiteral("Version"), client);
  Version->setGeometry(Scaled(QRect(84, 874, 177, 17)));
  Version->setAlignment(Qt::AlignCenter);

  auto listView = [this, client](const QString& name, int x, int y, int w, int h, const QStringList& captions,
                                 const QList<int>& widths, const QColor& colour) {
    QList<int> scaledWidths;
    for (int width : widths) scaledWidths << Scaled(width);
    auto* view = new TListView(name, scaledWidths, client);
    view->setGeometry(Scaled(QRect(x, y, w, h)));
    view->setHeaderLabels(captions);
    view->setIconSize(Scaled(QSize(images_.ImageList.Width(), images_.ImageList.Height())));
    SetColour(view, QPalette::Base, colour);
    return view;
  };
  const QStringList productColumns = {QStringLiteral("GUID"), QStringLiteral("Name"), QStringLiteral("Icon")};
  SelectionView = listView(QStringLiteral("SelectionView"), 21, 40, 296, 788, productColumns, {58, 220, 0}, kListColour);
  ProductView = listView(QStringLiteral("ProductView"), 323, 40, 296, 788, productColumns, {58, 200, 0}, kListColour);
  ItemProductView =
      listView(QStringLiteral("ItemProductView"), 720, 40, 300, 788, productColumns, {58, 202, 0}, kListColour);
  TargetsView = listView(QStringLiteral("TargetsView"), 1118, 40, 300, 788,
                         {QStringLiteral("GUID"), QStringLiteral("Item"), QStringLiteral("Region")}, {52, 225, 0},
                         kTargetsColour);
  TargetsView->setFrameStyle(QFrame::NoFrame);
  TargetsView->setFocusPolicy(Qt::ClickFocus);  // not a tab stop

  auto label15 = [client](const QString& name, const QString& caption, int x, int y) {
    QLabel* label = NewLabel(name, caption, client);
    KeepNaturalSize(label);
    SetFont15(label);
    label->move(Scaled(x), Scaled(y));
    label->adjustSize();
    return label;
  };
  SelectionViewLabel = label15(QStringLiteral("SelectionViewLabel"), QStringLiteral("Warenlisten"), 21, 16);
  ProductViewLabel = label15(QStringLiteral("ProductViewLabel"), QStringLiteral("Einzelprodukte"), 323, 16);
  ItemProductViewLabel = label15(QStringLiteral("ItemProductViewLabel"), QStringLiteral("Produktliste"), 720, 16);
  TargetViewLabel = label15(QStringLiteral("TargetViewLabel"), QStringLiteral("Zielgebäude"), 1118, 16);

  // Picture buttons in groups: exactly one is down; a click on the down one keeps it down
  // and still reports the click. The dark picture shows while up, the light one while down.
  auto groupButton = [client](const QString& name, int x, int y, QButtonGroup* group, const QPixmap& down,
                              const QPixmap& up) {
    auto* button = new QToolButton(client);
    button->setObjectName(name);
    button->setGeometry(Scaled(QRect(x, y, 64, 64)));
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    QIcon icon;
    icon.addPixmap(up, QIcon::Normal, QIcon::Off);
    icon.addPixmap(down, QIcon::Normal, QIcon::On);
    button->setIcon(icon);
    button->setIconSize(down.deviceIndependentSize().toSize());
    group->addButton(button);
    return button;
  };
  ItemGroup = new QButtonGroup(this);
  ItemGroup->setExclusive(true);
  QToolButton** itemButtons[] = {&Item1Btn, &Item2Btn, &Item3Btn, &Item4Btn, &Item5Btn, &Item6Btn};
  const int itemTops[] = {40, 110, 180, 250, 320, 394};
  for (int n = 1; n <= 6; ++n) {
    *itemButtons[n - 1] =
        groupButton(QStringLiteral("Item%1Btn").arg(n), 637, itemTops[n - 1], ItemGroup,
                    images_.ItemImageList.Pixmap(2 * (n - 1)), images_.ItemImageList.Pixmap(2 * (n - 1) + 1));
  }
  Item1Btn->setChecked(true);
  RegionGroup = new QButtonGroup(this);
  RegionGroup->setExclusive(true);
  QToolButton** regionButtons[] = {&Region1Btn, &Region2Btn, &Region3Btn, &Region4Btn};
  for (int n = 1; n <= 4; ++n) {
    *regionButtons[n - 1] = groupButton(QStringLiteral("Region%1Btn").arg(n), 1034, 40 + 70 * (n - 1), RegionGroup,
                                        images_.TargetsImageList.Pixmap(n - 1), images_.TargetsImageList.Pixmap(n + 3));
  }
  Region1Btn->setChecked(true);

  Label3 = label15(QStringLiteral("Label3"), QStringLiteral("Einstellungen aller Items"), 1437, 379);
  ProductAmountLabel = label15(QStringLiteral("ProductAmountLabel"), QStringLiteral("Produktmenge"), 1437, 403);
  ProductOutputCycleLabel = label15(QStringLiteral("ProductOutputCycleLabel"), QStringLiteral("Produktzyklus"), 1437, 459);
  auto* spinStyle = new SpinBoxStyle(QStyleFactory::create(QApplication::style()->name()));
  spinStyle->setParent(this);
  auto spinBox = [client, spinStyle](const QString& name, int y, int maximum, int characters, int value) {
    auto* box = new QSpinBox(client);
    box->setObjectName(name);
    box->setGeometry(Scaled(QRect(1437, y, 200, 26)));
    box->setStyle(spinStyle);
    box->setAlignment(Qt::AlignCenter);
    SetFont15(box);
    SetColour(box, QPalette::Base, kListColour);
    box->setRange(1, maximum);
    box->findChild<QLineEdit*>()->setMaxLength(characters);
    box->setValue(value);
    return box;
  };
  ProductAmountBox = spinBox(QStringLiteral("ProductAmountBox"), 427, Workspace::kMaxAmount, 3, workspace_.amount());
  ProductCycleBox = spinBox(QStringLiteral("ProductCycleBox"), 483, Workspace::kMaxCycle, 2, workspace_.cycle());

  auto button = [client](const QString& name, const QString& caption, int x, int y, int w, int h) {
    auto* b = new QPushButton(caption, client);
    b->setObjectName(name);
    b->setGeometry(Scaled(QRect(x, y, w, h)));
    return b;
  };
  Create_ItemBtn = button(QStringLiteral("Create_ItemBtn"), QStringLiteral("Modifikationen erzeugen"), 1437, 720, 200, 108);
  CloseBtn = button(QStringLiteral("CloseBtn"), QStringLiteral("Beenden"), 1437, 834, 200, 65);
  for (QPushButton* b : {Create_ItemBtn, CloseBtn}) {
    b->setFont(HeuristicaPixels(13));
    SetColour(b, QPalette::ButtonText, kButtonTextColour);
  }
  connect(CloseBtn, &QPushButton::clicked, this, Handled(this, &TMainForm::CloseBtnClick));

  SingleResetImg = picture(QStringLiteral("SingleResetImg"), 643, 466, 53, 54, ArtImage(QStringLiteral(":/art/reset_arrow.png")));
  SingleResetImg->setToolTip(QStringLiteral("Alle gemachten Einstellunen für das gewählte Item zurücksetzen"));
  FullResetImg = picture(QStringLiteral("FullResetImg"), 643, 771, 53, 54, ArtImage(QStringLiteral(":/art/reset_arrow_dark.png")));
  FullResetImg->setToolTip(QStringLiteral("Alle gemachten Einstellungen für alle Items zurücksetzen"));
  InfoImage = picture(QStringLiteral("InfoImage"), 648, 683, 39, 46, ArtImage(QStringLiteral(":/art/question_mark.png")));
  connect(InfoImage, &TImage::clicked, this, Handled(this, &TMainForm::InfoImageClick));

  CorvanaLabel = NewLabel(QStringLiteral("CorvanaLabel"),
                          QStringLiteral("Das Spiel ist aktiv. Änderungen an den Modifikationen zeigen erst Wirkung "
                                         "nach einem erneuten Spielstart."),
                          client);
  CorvanaLabel->setGeometry(Scaled(QRect(323, 858, 697, 17)));
  CorvanaLabel->setAlignment(Qt::AlignCenter);
  CorvanaLabel->setFont(HeuristicaPixels(13, true));
  SetColour(CorvanaLabel, QPalette::WindowText, QColor(0x80, 0x00, 0x00));
  CorvanaLabel->hide();

  // The developer strip, outside the visible part of the window.
  CreateXMLData = button(QStringLiteral("CreateXMLData"), QStringLiteral("CreateXMLData"), 1824, 460, 145, 49);
  // Never the keyboard focus: a Space or Enter right after start would rebuild the
  // catalogues and wipe the user's items and settings.
  CreateXMLData->setFocusPolicy(Qt::NoFocus);
  connect(CreateXMLData, &QPushButton::clicked, this, Handled(this, &TMainForm::CreateXMLDataClick));
  connect(Create_ItemBtn, &QPushButton::clicked, this, Handled(this, &TMainForm::Create_ItemBtnClick));
  TargetLabel = label15(QStringLiteral("TargetLabel"), QStringLiteral("Zielgebäude : "), 1840, 379);
  QLabel** targets[] = {&Item1Target, &Item2Target, &Item3Target, &Item4Target, &Item5Target, &Item6Target};
  for (int n = 1; n <= 6; ++n) {
    const QString name = QStringLiteral("Item%1Target").arg(n);
    *targets[n - 1] = NewLabel(name, name, client);
    (*targets[n - 1])->setGeometry(Scaled(QRect(1869, 531 + 24 * (n - 1), 75, 15)));
  }

  ProzessTimer = new QTimer(this);
  ProzessTimer->setObjectName(QStringLiteral("ProzessTimer"));
  ProzessTimer->setInterval(1000);
  connect(ProzessTimer, &QTimer::timeout, this, Handled(this, &TMainForm::ProzessTimerTimer));
  ProzessTimer->start();

  ConnectEditingHandlers();
  SetTabOrder();
}

void TMainForm::SetTabOrder() {
  QWidget* order[] = {CloseBtn,         ProductView,     SelectionView, ItemProductView,
                      ProductAmountBox, ProductCycleBox, Create_ItemBtn};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  // The window opens with the focus on the first tab stop.
  CloseBtn->setFocus();
}

}  // namespace bw
