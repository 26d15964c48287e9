#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gui/test_views.h"

namespace {

using namespace gui;
using gui_test::HostLog;
using gui_test::StubEditor;
using gui_test::StubEffect;

struct CountingListener : IControlListener {
  void valueChanged(CControl* control) override {
    ++changes;
    lastValue = control->getValue();
  }
  void controlBeginEdit(CControl*) override { ++begins; }
  void controlEndEdit(CControl*) override { ++ends; }
  int changes = 0, begins = 0, ends = 0;
  float lastValue = -1;
};

TEST(Control, ValueIsClampedToItsRangeAndNanBecomesTheMinimum) {
  CControl control(CRect(0, 0, 10, 10));
  control.setValue(0.25f);
  EXPECT_EQ(control.getValue(), 0.25f);
  control.setValue(1.5f);
  EXPECT_EQ(control.getValue(), 1.f);
  control.setValue(-0.5f);
  EXPECT_EQ(control.getValue(), 0.f);
  control.setValue(std::numeric_limits<float>::infinity());
  EXPECT_EQ(control.getValue(), 1.f);
  control.setValue(std::nanf(""));
  EXPECT_EQ(control.getValue(), 0.f);

  control.setMin(2.f);
  control.setMax(4.f);
  EXPECT_EQ(control.getValue(), 2.f);  // pulled into the new range
  control.setValueNormalized(0.5f);
  EXPECT_EQ(control.getValue(), 3.f);
  EXPECT_EQ(control.getValueNormalized(), 0.5f);
  control.setValue(std::nanf(""));
  EXPECT_EQ(control.getValue(), 2.f);
}

TEST(Control, DirtyWhileTheValueDiffersFromTheDrawnOne) {
  CControl control(CRect(0, 0, 10, 10));
  control.setDirty(false);
  EXPECT_FALSE(control.isDirty());
  control.setValue(0.5f);
  EXPECT_TRUE(control.isDirty());
  control.setDirty(false);
  EXPECT_FALSE(control.isDirty());
  control.setValue(0.5f);
  EXPECT_FALSE(control.isDirty());
  control.invalid();
  EXPECT_TRUE(control.isDirty());
}

TEST(Control, EditGesturesReachTheHostAsBeginAndEndEditOfTheTag) {
  StubEffect effect;
  auto* editor = new StubEditor(&effect);
  ASSERT_TRUE(editor->open(nullptr));
  CountingListener listener;
  auto* control = new CControl(CRect(0, 0, 10, 10), &listener, 42);
  editor->getFrame()->addView(control);

  control->beginEdit();
  control->beginEdit();  // nested: one gesture for the host
  control->setValue(0.7f);
  control->valueChanged();
  control->endEdit();
  EXPECT_EQ(HostLog::calls().size(), 1u);
  control->endEdit();
  control->endEdit();  // unbalanced extra end is ignored

  const std::vector<std::pair<VstInt32, VstInt32>> expected{{audioMasterBeginEdit, 42},
                                                            {audioMasterEndEdit, 42}};
  EXPECT_EQ(HostLog::calls(), expected);
  EXPECT_EQ(listener.begins, 1);
  EXPECT_EQ(listener.ends, 1);
  EXPECT_EQ(listener.changes, 1);
  EXPECT_FLOAT_EQ(listener.lastValue, 0.7f);

  // Tags that are not parameters send nothing to the host.
  HostLog::calls().clear();
  control->setTag(119);
  control->beginEdit();
  control->endEdit();
  control->setTag(-1);
  control->beginEdit();
  control->endEdit();
  EXPECT_TRUE(HostLog::calls().empty());

  // A control removed in the middle of a gesture ends it.
  control->setTag(7);
  control->beginEdit();
  editor->getFrame()->removeView(control);
  const std::vector<std::pair<VstInt32, VstInt32>> ended{{audioMasterBeginEdit, 7},
                                                         {audioMasterEndEdit, 7}};
  EXPECT_EQ(HostLog::calls(), ended);
  editor->close();
}

TEST(Control, WithoutFrameGesturesOnlyReachTheListener) {
  CountingListener listener;
  CControl control(CRect(0, 0, 10, 10), &listener, 3);
  StubEffect effect;
  control.beginEdit();
  control.endEdit();
  EXPECT_EQ(listener.begins, 1);
  EXPECT_TRUE(HostLog::calls().empty());
}

TEST(Editor, RectKnobModeKeysAndLifecycle) {
  StubEffect effect;
  auto* editor = new StubEditor(&effect, 1024, 480);
  EXPECT_EQ(effect.getEditor(), editor);
  EXPECT_TRUE(effect.getAeffect()->flags & effFlagsHasEditor);
  ERect* rect = nullptr;
  ASSERT_TRUE(editor->getRect(&rect));  // answers before the first open
  EXPECT_EQ(rect->right, 1024);
  EXPECT_EQ(rect->bottom, 480);
  EXPECT_FALSE(editor->getRect(nullptr));

  EXPECT_TRUE(editor->setKnobMode(2));
  EXPECT_EQ(gui::AEffGUIEditor::getKnobMode(), 2);

  VstKeyCode key{'a', 0, 0};
  EXPECT_FALSE(editor->onKeyDown(key));  // no frame yet
  editor->idle();
  ASSERT_TRUE(editor->open(nullptr));
  ASSERT_NE(editor->getFrame(), nullptr);
  EXPECT_FALSE(editor->onKeyDown(key));  // nobody has the focus
  editor->idle();
  editor->close();
  EXPECT_EQ(editor->getFrame(), nullptr);
  EXPECT_FALSE(editor->isOpen());
  // The effect deletes the editor; deleting the editor first unregisters it.
  delete editor;
  EXPECT_EQ(effect.getEditor(), nullptr);
}

}  // namespace
