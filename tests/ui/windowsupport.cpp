#include "tests/ui/windowsupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>


namespace bw::test {

ShownWindow::ShownWindow() : form(std::make_unique<TMainForm>(folder.path())) {
  form->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
}

ShownWindow::~ShownWindow() = default;

void ClickRow(QTreeWidget* view, QTreeWidgetItem* row) {
  view->scrollToItem(row);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(row).center());
}

void DoubleClickRow(QTreeWidget* view, QTreeWidgetItem* row) {
  view->scrollToItem(row);
  const QPoint inWindow = view->viewport()->mapTo(view->window(), view->visualItemRect(row).center());
  QTest::mouseDClick(view->window()->windowHandle(), Qt::LeftButton, {}, inWindow);
}

QTreeWidgetItem* RowWithCaption(const QTreeWidget* view, const QString& guid) {
  for (int i = 0; i < view->topLevelItemCount(); ++i) {
    if (view->topLevelItem(i)->text(0) == guid) return view->topLevelItem(i);
  }
  return nullptr;
}

void ClickBesideRows(QTreeWidget* view) {
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, view->viewport()->height() - 3));
}

void OnNextModal(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, action]() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action(modal);
  });
  timer->start();
}

void ClickInNextModal(const QString& button, QStringList* seenText) {
  OnNextModal([button, seenText](QWidget* modal) {
    if (seenText) {
      for (QLabel* label : modal->findChildren<QLabel*>()) {
        if (label->isVisible() && !label->text().isEmpty()) seenText->append(label->text());
      }
    }
    for (QAbstractButton* b : modal->findChildren<QAbstractButton*>()) {
      if (b->isVisible() && (QString(b->text()).remove(QLatin1Char('&')) == button || b->objectName() == button)) {
        b->click();
        return;
      }
    }
    modal->close();
  });
}

ModalWatch::ModalWatch() {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    seen_ << modal->objectName();
    for (const QLabel* label : modal->findChildren<QLabel*>()) seen_ << label->text();
    modal->close();
  });
  timer_.start(10);
}

}  // namespace bw::test
