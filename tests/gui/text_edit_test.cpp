#include <gtest/gtest.h>

#include <memory>

#include "gui/color_printer.h"

#include "gui/test_views.h"

namespace {

using namespace gui;

struct TextListener : IControlListener {
  void valueChanged(CControl* control) override {
    commits.push_back(static_cast<CTextEdit*>(control)->getText());
  }
  std::vector<std::string> commits;
};

VstKeyCode character(char c) { return VstKeyCode{c, 0, 0}; }
VstKeyCode virtualKey(unsigned char virt) { return VstKeyCode{0, virt, 0}; }

class TextEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new CFrame(CRect(0, 0, 300, 100), nullptr);
    field = new CTextEdit(CRect(50, 10, 250, 30), &listener, 112, "Init");
    frame->addView(field);
    other = new gui_test::RecordingView(CRect(0, 50, 300, 100), CColor(0, 0, 0));
    frame->addView(other);
  }
  void TearDown() override { frame->forget(); }

  void type(VstKeyCode key) { frame->dispatchKeyDown(key); }

  TextListener listener;
  CFrame* frame;
  CTextEdit* field;
  gui_test::RecordingView* other;
};

TEST_F(TextEditTest, ClickStartsEditingAndReturnCommits) {
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(frame->dispatchKeyDown(*std::make_unique<VstKeyCode>(character('x'))), -1);
  frame->dispatchMouseDown(CPoint(249, 20), kLButton);  // right of the text: caret at the end
  EXPECT_TRUE(field->isEditing());
  EXPECT_EQ(frame->getFocusView(), field);
  EXPECT_EQ(field->getCaretPosition(), 4u);
  type(character(' '));
  type(character('2'));
  EXPECT_STREQ(field->getText(), "Init 2");
  EXPECT_TRUE(listener.commits.empty());
  type(virtualKey(VKEY_RETURN));
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(frame->getFocusView(), nullptr);
  ASSERT_EQ(listener.commits.size(), 1u);
  EXPECT_EQ(listener.commits[0], "Init 2");
}

TEST_F(TextEditTest, CaretKeysBackspaceAndDelete) {
  field->setText("abcd");
  field->takeFocus();  // as the editor does when it places the field
  EXPECT_EQ(frame->getFocusView(), field);
  type(virtualKey(VKEY_HOME));
  type(virtualKey(VKEY_DELETE));  // bcd
  type(virtualKey(VKEY_RIGHT));
  type(character('X'));  // bXcd
  type(virtualKey(VKEY_END));
  type(virtualKey(VKEY_BACK));  // bXc
  type(virtualKey(VKEY_LEFT));
  type(virtualKey(VKEY_LEFT));
  type(virtualKey(VKEY_BACK));   // Xc
  type(virtualKey(VKEY_SPACE));  //  Xc
  EXPECT_STREQ(field->getText(), " Xc");
  EXPECT_EQ(field->getCaretPosition(), 1u);
  // Keys at the ends do nothing harmful.
  type(virtualKey(VKEY_HOME));
  type(virtualKey(VKEY_BACK));
  type(virtualKey(VKEY_LEFT));
  type(virtualKey(VKEY_END));
  type(virtualKey(VKEY_DELETE));
  type(virtualKey(VKEY_RIGHT));
  EXPECT_STREQ(field->getText(), " Xc");
  // Control characters and shortcuts are not typed.
  VstKeyCode ctrlA{'a', 0, MODIFIER_CONTROL};
  EXPECT_EQ(field->onKeyDown(ctrlA), -1);
  VstKeyCode bell{7, 0, 0};
  EXPECT_EQ(field->onKeyDown(bell), -1);
  EXPECT_STREQ(field->getText(), " Xc");
}

TEST_F(TextEditTest, ClickingElsewhereCommitsAndEscapeRestores) {
  frame->dispatchMouseDown(CPoint(100, 20), kLButton);
  type(character('!'));
  frame->dispatchMouseDown(CPoint(100, 70), kLButton);  // on the other view
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(other->joinedLog(), "entered down");
  ASSERT_EQ(listener.commits.size(), 1u);
  EXPECT_EQ(listener.commits[0], field->getText());
  const std::string committed = field->getText();

  frame->dispatchMouseDown(CPoint(100, 20), kLButton);
  type(virtualKey(VKEY_BACK));
  type(virtualKey(VKEY_ESCAPE));
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(field->getText(), committed);
  EXPECT_EQ(listener.commits.size(), 1u);
}

TEST_F(TextEditTest, KeysFromTheHostReachTheFieldThroughTheEditor) {
  gui_test::StubEffect effect;
  auto* editor = new gui_test::StubEditor(&effect, 300, 100);
  editor->open(nullptr);
  auto* hosted = new CTextEdit(CRect(0, 0, 100, 20), &listener, 112, "ab");
  editor->getFrame()->addView(hosted);
  editor->getFrame()->setFocusView(hosted);
  VstKeyCode c = character('c');
  EXPECT_TRUE(editor->onKeyDown(c));
  EXPECT_TRUE(editor->onKeyUp(c));
  VstKeyCode enter = virtualKey(VKEY_ENTER);
  EXPECT_TRUE(editor->onKeyDown(enter));
  ASSERT_EQ(listener.commits.size(), 1u);
  EXPECT_EQ(listener.commits[0], "abc");
  VstKeyCode late = character('d');
  EXPECT_FALSE(editor->onKeyDown(late));
  editor->close();
}

TEST_F(TextEditTest, TextsAreBoundedAndDrawnWithoutHarm) {
  field->setMaxLength(5);
  field->setText("abcdefgh");
  EXPECT_STREQ(field->getText(), "abcde");
  frame->setFocusView(field);
  type(character('z'));
  EXPECT_STREQ(field->getText(), "abcde");
  field->setText(nullptr);
  EXPECT_STREQ(field->getText(), "");
  // Bytes from the host that are not UTF-8 are drawn, not trusted.
  field->setText("\xe9t\xe9");
  field->setBackColor(CColor(60, 47, 20, 255));
  field->setFontColor(CColor(250, 210, 100, 255));
  CBitmap* image = frame->renderOffscreen();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->getPixel(52, 12), CColor(60, 47, 20, 255));
}

}  // namespace
