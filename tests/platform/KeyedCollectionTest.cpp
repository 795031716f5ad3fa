#include "platform/KeyedCollection.h"

#include <gtest/gtest.h>

namespace {

using Collection = platform::KeyedCollection<QString>;

std::shared_ptr<QString> text(const char* value)
{
    return std::make_shared<QString>(QString::fromUtf8(value));
}

TEST(KeyedCollection, KeepsInsertionOrderAndFindsKeysWithoutRegardToCase)
{
    Collection items;
    ASSERT_TRUE(items.add("Question12", text("twelve")));
    ASSERT_TRUE(items.add("Question3", text("three")));
    ASSERT_TRUE(items.add("Éclair", text("lightning")));

    EXPECT_EQ(items.count(), 3);
    EXPECT_EQ(*items.at(1), "twelve");
    EXPECT_EQ(*items.at(2), "three");
    EXPECT_EQ(*items.item("QUESTION3"), "three");
    EXPECT_EQ(*items.item("éCLAIR"), "lightning");
    EXPECT_EQ(items.keyAt(1), "Question12");
}

TEST(KeyedCollection, AddingAnExistingKeyFailsAndRecordsNothing)
{
    Collection items;
    ASSERT_TRUE(items.add("Appli1", text("first")));
    EXPECT_FALSE(items.add("APPLI1", text("second")));
    EXPECT_FALSE(items.add("Appli2", nullptr));
    EXPECT_EQ(items.count(), 1);
    EXPECT_EQ(*items.item("appli1"), "first");
}

TEST(KeyedCollection, MissingKeysAndPositionsGiveNull)
{
    Collection items;
    items.add("A", text("a"));
    EXPECT_EQ(items.item("B"), nullptr);
    EXPECT_EQ(items.at(0), nullptr);
    EXPECT_EQ(items.at(2), nullptr);
    EXPECT_EQ(items.keyAt(5), QString());
}

TEST(KeyedCollection, RemovesByKeyAndByPosition)
{
    Collection items;
    items.add("A", text("a"));
    items.add("B", text("b"));
    items.add("C", text("c"));

    EXPECT_TRUE(items.remove("b"));
    EXPECT_FALSE(items.remove("b"));
    EXPECT_EQ(*items.at(2), "c");

    EXPECT_TRUE(items.removeAt(1));
    EXPECT_FALSE(items.removeAt(2));
    EXPECT_EQ(items.count(), 1);
    EXPECT_EQ(items.item("A"), nullptr);
    // A removed key can be added again.
    EXPECT_TRUE(items.add("a", text("again")));
    EXPECT_EQ(*items.at(2), "again");
}

}  // namespace
