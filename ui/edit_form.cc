#include "ui/edit_form.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <functional>

#include "ui/appearance.h"
#include "ui/widgets.h"

namespace ui {
namespace {

using core::Msg;

// A property name: a click on it, or Space or F2 while it has the focus,
// opens the name chooser.
class NameLabel : public QLabel {
 public:
  NameLabel(QWidget* parent, std::function<void()> clicked)
      : QLabel(parent), clicked_(std::move(clicked)) {
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void mousePressEvent(QMouseEvent*) override { clicked_(); }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_F2) {
      clicked_();
      return;
    }
    QLabel::keyPressEvent(event);
  }

 private:
  std::function<void()> clicked_;
};

}  // namespace

TEditForm::TEditForm(core::EntryForm& form, const core::Language& texts, QWidget* parent)
    : QDialog(parent), form_(form), texts_(texts) {
  setObjectName("EditForm");
  setWindowTitle("REF-entry editing");
  TakeWorkingColour(this);

  QComboBox* type = EditableBox(this, "ShapeType", core::EntryForm::BlockTypes());
  type->setEditText(Q(form_.block_type));
  type->setAccessibleName("BlockType");
  type->setMinimumWidth(140);
  connect(type, &QComboBox::editTextChanged, this,
          [this](const QString& text) { form_.block_type = text.toStdString(); });
  auto* add = Make<CaptionButton>(this, "rfAdd");
  FixedCaption(add, Q(texts_[Msg::CapAdd]));
  connect(add, &QPushButton::clicked, this, [this] { rfAddClick(); });

  auto* scroll = Make<QScrollArea>(this, "Rows");
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  content_ = new QWidget;
  TakeWorkingColour(content_);
  content_->installEventFilter(this);
  scroll->setWidget(content_);
  auto* content_layout = new QVBoxLayout(content_);
  grid_ = new QGridLayout;
  grid_->setVerticalSpacing(4);
  grid_->setColumnMinimumWidth(0, 90);
  content_layout->addLayout(grid_);

  ok_ = AcceptButton(this, content_, "rfOK", "OK");
  QPushButton* cancel = RejectButton(this, content_, "rfCancel", "Cancel");
  content_layout->addLayout(ui::Row({kStretch, ok_, cancel, kStretch}));
  content_layout->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(ui::Row({type, add, kStretch}));
  layout->addWidget(scroll, 1);
  installEventFilter(this);
  resize(461, 265);
  ShowRows();
}

void TEditForm::accept() {
  CloseChooser();
  QDialog::accept();
}

void TEditForm::rfAddClick() {
  CloseChooser();
  form_.rfAddClick(texts_);
  ShowRows();
}

void TEditForm::DeleteRow(size_t index) {
  CloseChooser();
  form_.DeleteRow(index);
  ShowRows();
}

void TEditForm::ShowRows() {
  // Deleted later: the pressed "X" is one of them.
  for (const Row& row : rows_) {
    for (QWidget* widget : {static_cast<QWidget*>(row.label), static_cast<QWidget*>(row.value),
                            static_cast<QWidget*>(row.remove)}) {
      grid_->removeWidget(widget);
      widget->setObjectName(QString());
      widget->hide();
      widget->deleteLater();
    }
  }
  rows_.clear();
  QFont bold = font();
  bold.setBold(true);
  for (size_t index = 0; index < form_.rows.size(); ++index) {
    const QString number = QString::number(index + 1);
    Row row;
    row.label = new NameLabel(content_, [this, index] { OpenChooser(index); });
    row.label->setObjectName("rfName" + number);
    row.value = new QLineEdit(content_);
    row.value->setObjectName("rfValue" + number);
    row.value->setFixedWidth(250);
    row.remove = new QPushButton(content_);
    row.remove->setObjectName("rfDelete" + number);
    row.remove->setText("X");
    row.remove->setFont(bold);
    row.remove->setFixedWidth(24);
    row.remove->setToolTip(Q(texts_[Msg::CapDelete]));
    row.remove->setAccessibleName(row.remove->toolTip() + " " + Q(form_.rows[index].name));

    row.label->setText(Q(form_.rows[index].name));
    row.label->setToolTip(Q(texts_[Msg::HintPropertyName]));
    row.label->setBuddy(row.value);
    row.value->setText(Q(form_.rows[index].value));
    row.value->setAccessibleName(row.label->text());
    connect(row.value, &QLineEdit::textEdited, this, [this, index](const QString& text) {
      form_.rows[index].value = text.toStdString();
    });
    connect(row.remove, &QPushButton::clicked, this, [this, index] { DeleteRow(index); });

    const int line = static_cast<int>(index);
    grid_->addWidget(row.label, line, 0, Qt::AlignRight);
    grid_->addWidget(row.value, line, 1);
    grid_->addWidget(row.remove, line, 2);
    rows_.push_back(row);
  }
  // The buttons follow the last row in tab order.
  QWidget* previous = rows_.empty() ? nullptr : rows_.back().remove;
  if (previous) QWidget::setTabOrder(previous, ok_);
}

void TEditForm::OpenChooser(size_t index) {
  CloseChooser();
  QLabel* label = rows_[index].label;
  chooser_ = EditableBox(content_, "PropertyChooser", core::EntryForm::PropertyNames());
  chooser_->setEditText(label->text());
  chooser_->setAccessibleName(Q(texts_[Msg::CapProperty]));
  chooser_->setGeometry(label->geometry().x(), label->geometry().y(),
                        std::max(label->width(), 110), rows_[index].value->height());
  chooser_row_ = index;
  chooser_->lineEdit()->installEventFilter(this);
  chooser_->show();
  chooser_->raise();
  chooser_->setFocus();
  chooser_->lineEdit()->selectAll();
}

void TEditForm::CloseChooser() {
  if (!chooser_) return;
  QComboBox* chooser = chooser_;
  chooser_ = nullptr;
  const QString name = chooser->currentText();
  form_.rows[chooser_row_].name = name.toStdString();
  rows_[chooser_row_].label->setText(name);
  rows_[chooser_row_].value->setAccessibleName(name);
  chooser->lineEdit()->removeEventFilter(this);
  chooser->hide();
  chooser->deleteLater();
}

bool TEditForm::eventFilter(QObject* watched, QEvent* event) {
  if (chooser_ && watched == chooser_->lineEdit()) {
    const bool left = event->type() == QEvent::FocusOut &&
                      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason;
    const int key =
        event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : 0;
    // Return takes the name and keeps the dialog open, the focus back on the name.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      QLabel* label = rows_[chooser_row_].label;
      CloseChooser();
      label->setFocus();
      return true;
    }
    if (left || event->type() == QEvent::MouseButtonDblClick) CloseChooser();
  } else if ((watched == content_ || watched == this) &&
             event->type() == QEvent::MouseButtonPress) {
    CloseChooser();
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace ui
