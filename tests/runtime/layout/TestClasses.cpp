#include "tests/runtime/layout/TestClasses.h"

#include <gtest/gtest.h>

#include "runtime/layout/ClassRegistry.h"
#include "tests/runtime/layout/TestContainer.h"
#include "tests/runtime/layout/TestControl.h"
#include "tests/runtime/layout/TestForm.h"

void RegisterTestClasses()
{
    TClassRegistry &registry = TClassRegistry::Instance();
    registry.RegisterClass<TTestForm>();
    registry.RegisterClass<TTestControl>();
    registry.RegisterClass<TTestContainer>();
}

QString RichLayout()
{
    return QStringLiteral(R"(object FMain: TTestForm
  ClientWidth = 371
  Color = clBlack
  Font.Name = 'Arial'
  Font.Height = -13
  object BExit: TTestControl
    Caption = 'It''s'#13#10'done'   // a quote, then a line break
    Left = $1F
    Ratio = -2.25
    Level = 255
    Flat = True
    Kind = tkSunken
    Options = [toBold, toUnderline]
    Color = 10789024
    Glyph = {
      0001 02FF
      a0b1}
    Lines = (
      'one'
      'two // not a comment'
      '')
    Font.Color = clLime
    Buddy = PMain
    OnClick = BExitClick
    Mask2 = {0800000001020304 05060708}
  end
  object PMain: TTestControl
    Caption = ''
    Color = clActiveCaption
    object Inner: TTestControl
      Caption = 'inner'
      OnChange = ItemClick
      Buddy = BExit
    end
  end
  object List: TTestContainer
    Active = True
    Target = Inner
    object Item1: TTestContainer
    end
    object Item2: TTestContainer
      Target = FMain
    end
  end
end
)");
}

void ExpectRichValues(const TTestForm &form)
{
    EXPECT_EQ(form.objectName(), "FMain");
    EXPECT_EQ(form.ClientWidth(), 371);
    EXPECT_EQ(form.Color(), clBlack);
    EXPECT_EQ(form.Font()->Name(), "Arial");
    EXPECT_EQ(form.Font()->Height(), -13);

    auto *exit = form.findChild<TTestControl *>("BExit");
    auto *page = form.findChild<TTestControl *>("PMain");
    auto *inner = form.findChild<TTestControl *>("Inner");
    auto *list = form.findChild<TTestContainer *>("List");
    ASSERT_TRUE(exit && page && inner && list);
    EXPECT_EQ(exit->Caption(), "It's\r\ndone");
    EXPECT_EQ(exit->Left(), 31);
    EXPECT_DOUBLE_EQ(exit->Ratio(), -2.25);
    EXPECT_EQ(exit->Level(), 255);
    EXPECT_TRUE(exit->Flat());
    EXPECT_EQ(exit->Kind(), TTestControl::tkSunken);
    EXPECT_EQ(exit->Options(), TTestControl::TTestOptions(TTestControl::toBold | TTestControl::toUnderline));
    EXPECT_EQ(exit->Color(), TColor(0xA4A0A0));
    EXPECT_EQ(exit->Glyph(), QByteArray::fromHex("000102FFA0B1"));
    EXPECT_EQ(exit->Lines(), QStringList({"one", "two // not a comment", ""}));
    EXPECT_EQ(exit->Font()->Color(), clLime);
    EXPECT_EQ(exit->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(exit->Mask(), QByteArray::fromHex("080000000102030405060708"));
    EXPECT_EQ(exit->HandlerName("OnClick"), "BExitClick");
    EXPECT_EQ(inner->HandlerName("OnChange"), "ItemClick");

    EXPECT_EQ(page->Color(), clActiveCaption);
    EXPECT_EQ(exit->Buddy(), page);
    EXPECT_EQ(inner->Buddy(), exit);
    EXPECT_EQ(list->Target(), inner);
    EXPECT_EQ(list->Items().size(), 2);
}
