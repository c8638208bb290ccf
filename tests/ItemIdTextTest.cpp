#include "link/ItemIdText.h"
#include "link/Controllers.h"

#include <gtest/gtest.h>

TEST (ItemIdText, WritesTwoUpperCaseDigitsOfTheLowByte)
{
    EXPECT_EQ (ItemIdText::fromItem (0x0A), "0x0A");
    EXPECT_EQ (ItemIdText::fromItem (controllers::pad::kPad16), "0x7F");
    EXPECT_EQ (ItemIdText::fromItem (0x140), "0x40");
}

TEST (ItemIdText, ReadsBackHexDigitsSkippingOthers)
{
    EXPECT_EQ (ItemIdText::toItem ("0x70"), 0x70);
    EXPECT_EQ (ItemIdText::toItem ("0x0A"), 0x0A);
    EXPECT_EQ (ItemIdText::toItem ("zz"), 0);
    for (int item = 0; item < 0x80; ++item)
        EXPECT_EQ (ItemIdText::toItem (ItemIdText::fromItem (item)), item);
}
