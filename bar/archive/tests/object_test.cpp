#include "bar/archive/object.h"

#include <gtest/gtest.h>

#include "bar/archive/tests/sg_records.h"

namespace {

using archive_sample::CSgCommand;
using archive_sample::CSgShadow;
using archive_sample::CSgShadowEx;

TEST(RuntimeClass, DeclaredClassesCarryTheirNameSchemaAndBase) {
    const fw::CRuntimeClass& shadow = fw::RuntimeClassOf<CSgShadow>();
    EXPECT_STREQ(shadow.name, "CSgShadow");
    EXPECT_EQ(shadow.schema, 1);
    EXPECT_EQ(shadow.base, &fw::CObject::runtimeClass);

    const fw::CRuntimeClass& ex = fw::RuntimeClassOf<CSgShadowEx>();
    EXPECT_STREQ(ex.name, "CSgShadowEx");
    EXPECT_EQ(ex.schema, 7);
    EXPECT_EQ(ex.base, &shadow);
}

TEST(RuntimeClass, CreatesObjectsByExactName) {
    for (const fw::CRuntimeClass* known :
         {&CSgCommand::runtimeClass, &CSgShadow::runtimeClass, &CSgShadowEx::runtimeClass}) {
        const fw::CRuntimeClass* found = fw::CRuntimeClass::FromName(known->name);
        ASSERT_EQ(found, known) << known->name;
        std::unique_ptr<fw::CObject> object = found->CreateObject();
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(&object->GetRuntimeClass(), known);
    }
    for (const char* unknown : {"", "CSgShadoW", "csgshadow", "CSgShadow ", "CObject"}) {
        EXPECT_EQ(fw::CRuntimeClass::FromName(unknown), nullptr) << '"' << unknown << '"';
    }
    EXPECT_EQ(fw::CObject::runtimeClass.CreateObject(), nullptr);
}

TEST(RuntimeClass, DerivationFollowsTheBaseChain) {
    const fw::CRuntimeClass& object = fw::CObject::runtimeClass;
    const fw::CRuntimeClass& shadow = CSgShadow::runtimeClass;
    const fw::CRuntimeClass& ex = CSgShadowEx::runtimeClass;
    const fw::CRuntimeClass& command = CSgCommand::runtimeClass;
    struct Case {
        const fw::CRuntimeClass& derived;
        const fw::CRuntimeClass& base;
        bool expected;
    };
    for (const Case& c :
         {Case{ex, ex, true}, Case{ex, shadow, true}, Case{ex, object, true},
          Case{shadow, ex, false}, Case{command, shadow, false}, Case{object, shadow, false}}) {
        EXPECT_EQ(c.derived.IsDerivedFrom(c.base), c.expected)
            << c.derived.name << " from " << c.base.name;
    }
}

}  // namespace
