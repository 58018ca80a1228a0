#include <memory>

#include <QWidget>

#include <gtest/gtest.h>

#include "runtime/layout/ClassRegistry.h"
#include "tests/runtime/layout/TestContainer.h"
#include "tests/runtime/layout/TestControl.h"
#include "tests/runtime/layout/TestForm.h"

namespace {

TEST(TClassRegistry, CreatesRegisteredClassesByTheirOwnNameUnderTheGivenParent)
{
    TClassRegistry registry;
    registry.RegisterClass<TTestControl>();
    registry.RegisterClass<TTestContainer>();
    QWidget parent;
    QObject *control = registry.Create("TTestControl", &parent);
    EXPECT_TRUE(qobject_cast<TTestControl *>(control));
    EXPECT_EQ(control->parent(), &parent);
    QObject *container = registry.Create("TTestContainer", &parent);
    EXPECT_EQ(container->parent(), &parent);
    EXPECT_THROW(registry.Create("TTestForm", &parent), Exception);
}

TEST(TClassRegistry, RefusesAControlUnderAPlainObject)
{
    TClassRegistry registry;
    registry.RegisterClass<TTestControl>();
    QObject plain;
    EXPECT_THROW(registry.Create("TTestControl", &plain), Exception);
    EXPECT_TRUE(plain.children().isEmpty());
    std::unique_ptr<QObject> orphan(registry.Create("TTestControl", nullptr));
    EXPECT_TRUE(orphan);
}

TEST(TClassRegistry, ALaterRegistrationReplacesTheFirst)
{
    TClassRegistry registry;
    registry.RegisterClass<TTestControl>();
    QWidget parent;
    registry.Register("TTestControl", [](QObject *owner) {
        auto *control = new TTestControl(static_cast<QWidget *>(owner));
        control->SetCaption("replaced");
        return control;
    });
    EXPECT_EQ(static_cast<TTestControl *>(registry.Create("TTestControl", &parent))->Caption(), "replaced");
}

TEST(TClassRegistry, FindsTheNearestRegisteredAncestor)
{
    TClassRegistry registry;
    EXPECT_EQ(registry.NearestRegistered(&TTestForm::staticMetaObject), nullptr);
    registry.Register("QWidget", [](QObject *) { return new QWidget; });
    EXPECT_EQ(registry.NearestRegistered(&TTestForm::staticMetaObject), &QWidget::staticMetaObject);
    registry.RegisterClass<TTestForm>();
    EXPECT_EQ(registry.NearestRegistered(&TTestForm::staticMetaObject), &TTestForm::staticMetaObject);
}

} // namespace
