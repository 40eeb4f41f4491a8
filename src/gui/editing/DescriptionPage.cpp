#include "gui/editing/DescriptionPage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/app/SamplesFolder.h"
#include "core/editing/ValueCommands.h"
#include "gui/common/QtText.h"
#include "gui/decorate/DecorateDialogs.h"
#include "gui/decorate/DecorateEditView.h"
#include "gui/editing/DecoratedFieldLink.h"
#include "gui/editing/TextBoxLink.h"

namespace nuvo {
namespace {

// A sample's name: the title of its page, which the sample files are written in code page 932.
QString SampleTitle(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray head = file.read(4096);
  QString text = ToQString(head.toStdString());
  QRegularExpressionMatch match = QRegularExpression(QStringLiteral("<title>([^<]*)</title>"),
                                                     QRegularExpression::CaseInsensitiveOption)
                                      .match(text);
  return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

}  // namespace

CDescriptionPage::CDescriptionPage(const SheetContext& context, QWidget* parent)
    : CSheetPage(context, parent) {
  auto* layout = new QVBoxLayout(this);
  auto* typeRow = new QHBoxLayout;
  inputTypes_ = new QButtonGroup(this);
  const char* labels[] = {"ぬぼ型 + 通常入力", "通常入力", "HTML入力"};
  const char* tips[] = {"ぬぼ型（デザインのひな型）に沿って商品説明を入力します",
                        "商品説明の文章をそのまま入力します", "商品説明をHTMLで直接入力します"};
  for (int type = 0; type < CNuvoDoc::kInputTypeCount; ++type) {
    auto* button = new QPushButton(QString::fromUtf8(labels[type]));
    button->setCheckable(true);
    button->setToolTip(QString::fromUtf8(tips[type]));
    button->setObjectName(QStringLiteral("inputType%1").arg(type));
    inputTypes_->addButton(button, type);
    typeRow->addWidget(button);
  }
  typeRow->addStretch(1);
  layout->addLayout(typeRow);
  connect(inputTypes_, &QButtonGroup::idClicked, this, &CDescriptionPage::OnInputType);

  auto* sampleRow = new QHBoxLayout;
  samples_ = new QComboBox;
  samples_->setObjectName(QStringLiteral("sample"));
  samples_->setToolTip(QStringLiteral("ぬぼ型のデザインを選択します"));
  samples_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  samples_->setMinimumContentsLength(12);
  sampleLabel_ = new QLabel(QStringLiteral("ぬぼ型(&N)"));
  sampleLabel_->setBuddy(samples_);
  sampleRow->addWidget(sampleLabel_);
  sampleRow->addWidget(samples_, 1);
  layout->addLayout(sampleRow);
  connect(samples_, &QComboBox::activated, this, &CDescriptionPage::OnSample);

  auto* scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* blocks = new QWidget;
  blockLayout_ = new QVBoxLayout(blocks);
  blockLayout_->setContentsMargins(0, 0, 0, 0);
  // Takes the room only while no box is shown; the boxes share it otherwise.
  blockLayout_->addStretch(0);
  scroll->setWidget(blocks);
  layout->addWidget(scroll, 1);
  LoadSamples();
}

void CDescriptionPage::LoadSamples() {
  std::filesystem::path path = GetSamplesFolder(context_.app);
  if (path.empty()) return;
  QDir folder(QString::fromStdU16String(path.u16string()));
  bool ok = false;
  for (const QString& group : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
    std::uint32_t high = group.toUInt(&ok, 16);
    if (!ok || group.size() != 4) continue;
    QDir sub(folder.filePath(group));
    for (const QString& file : sub.entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name)) {
      std::uint32_t low = file.left(file.size() - 4).toUInt(&ok, 16);
      if (!ok || file.size() != 8) continue;
      QString title = SampleTitle(sub.filePath(file));
      QString code = QStringLiteral("%1-%2").arg(group, file.left(4));
      samples_->addItem(title.isEmpty() ? code : QStringLiteral("%1 (%2)").arg(title, code),
                        high << 16 | low);
    }
  }
}

CDescriptionPage::~CDescriptionPage() = default;

CDescriptionPage::Block& CDescriptionPage::BlockAt(std::size_t index) {
  if (!dialogs_) dialogs_ = std::make_unique<CDecorateDialogs>(this, context_.prompt, context_.app);
  while (blocks_.size() <= index) {
    std::size_t number = blocks_.size();
    auto* label = new QLabel(QStringLiteral("商品説明 %1(&%1)").arg(number + 1));
    auto* box = new QPlainTextEdit;
    box->setObjectName(QStringLiteral("description%1").arg(number));
    box->setToolTip(QStringLiteral("商品の説明文を入力します"));
    box->setMinimumHeight(box->fontMetrics().lineSpacing() * 6);
    auto* link = new CTextBoxLink(box, context_.doc, context_.prompt,
                                  [this, number](const std::string& text) {
                                    std::vector<std::string> texts = context_.doc.GetDescriptions();
                                    if (number >= texts.size()) return;
                                    texts[number] = text;
                                    context_.doc.SetDescriptions(texts);
                                  });
    auto* decorated = MakeSheetEditor(context_, *dialogs_, kDecoMultiLine | kDecoAllowCentre,
                                      context_.options.decoEditFontSizeDesc);
    decorated->setObjectName(QStringLiteral("decorated%1").arg(number));
    decorated->setToolTip(box->toolTip());
    decorated->setMinimumHeight(box->minimumHeight());
    auto* decoratedLink =
        new CDecoratedFieldLink(decorated, context_.doc, [this, number](const std::string& html) {
          std::vector<std::string> texts = context_.doc.GetDescriptions();
          if (number >= texts.size()) return;
          texts[number] = html;
          context_.doc.SetDescriptions(texts);
        });
    link->TakeMarkupWhen(
        [this] { return context_.doc.GetDescriptInputType() == CNuvoDoc::kHtmlInput; });
    int at = blockLayout_->count() - 1;
    blockLayout_->insertWidget(at, label);
    blockLayout_->insertWidget(at + 1, box, 1);
    blockLayout_->insertWidget(at + 2, decorated, 1);
    blocks_.push_back({label, box, link, decorated, decoratedLink});
  }
  return blocks_[index];
}

void CDescriptionPage::UpdateFromDocument(std::uint32_t) {
  // No change bit names the description texts: any command may have replaced the tree they live
  // in, and loading a text that stands unchanged costs nothing.
  updating_ = true;
  const CNuvoDoc& doc = context_.doc;
  int type = doc.GetDescriptInputType();
  inputTypes_->button(type)->setChecked(true);
  bool templateInput = type == CNuvoDoc::kTemplateInput;
  sampleLabel_->setEnabled(templateInput);
  samples_->setEnabled(templateInput);
  samples_->setCurrentIndex(samples_->findData(doc.GetSampleID()));
  std::vector<std::string> texts = doc.GetDescriptions();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    Block& block = BlockAt(i);
    const bool html = type == CNuvoDoc::kHtmlInput;
    if (html) {
      block.link->Load(texts[i]);
    } else {
      block.decoratedLink->Load(texts[i]);
    }
    block.label->setBuddy(html ? static_cast<QWidget*>(block.box) : block.decorated);
    block.label->setVisible(texts.size() > 1);
    block.box->setVisible(html);
    block.decorated->setVisible(!html);
  }
  for (std::size_t i = texts.size(); i < blocks_.size(); ++i) {
    blocks_[i].label->setVisible(false);
    blocks_[i].box->setVisible(false);
    blocks_[i].decorated->setVisible(false);
  }
  updating_ = false;
}

bool CDescriptionPage::ShowFinding(const CSubmitFinding& finding) {
  if (finding.field != check_field::kDescription) return false;
  if (finding.row < 0 || static_cast<std::size_t>(finding.row) >= blocks_.size()) return true;
  Block& block = blocks_[static_cast<std::size_t>(finding.row)];
  if (!block.decorated->isVisible()) {
    block.box->setFocus(Qt::OtherFocusReason);
    return true;
  }
  block.decorated->setFocus(Qt::OtherFocusReason);
  // An address offered a link is counted in the editor's text, other findings in the stored
  // markup.
  CDecorateEditor& editor = block.decorated->Editor();
  int start = static_cast<int>(finding.selectionStart);
  if (finding.step != "links") {
    const std::vector<std::string> texts = context_.doc.GetDescriptions();
    start = static_cast<std::size_t>(finding.row) < texts.size()
                ? editor.Doc().Converter().TextOffsetOf(texts[finding.row], finding.selectionStart)
                : -1;
  }
  if (start >= 0) editor.SetSelection(start, start + static_cast<int>(finding.selectionLength));
  return true;
}

void CDescriptionPage::OnInputType(int type) {
  if (updating_ || type == context_.doc.GetDescriptInputType()) return;
  Run(MakeSetInputTypeCommand(context_.doc, type));
  emit listingReplaced();
}

void CDescriptionPage::OnSample(int index) {
  if (updating_ || index < 0) return;
  std::uint32_t id = samples_->itemData(index).toUInt();
  if (id == context_.doc.GetSampleID()) return;
  Run(MakeSetSampleIdCommand(context_.doc, id));
  emit listingReplaced();
}

}  // namespace nuvo
