#include <gtest/gtest.h>

#include <memory>

#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "host/CMotionEvent.h"
#include "tests/framework/CStringPrinter.h"
#include "tests/host/InvalidEntryMessage.h"

namespace {

class MotionEventTest : public ::testing::Test {
 protected:
  std::unique_ptr<CMotionEvent> NewEvent() const {
    return std::make_unique<CMotionEvent>(m_Demo->GetController(), *m_Motion);
  }

  std::unique_ptr<CMC_Project> m_Demo = CMC_Project::CreateDemo();
  std::unique_ptr<CMC_Motion> m_Motion = std::make_unique<CMC_Motion>(m_Demo->GetController());
};

}  // namespace

TEST_F(MotionEventTest, BothKindsReadBackWhatTheyWrite) {
  auto input = NewEvent();
  ASSERT_TRUE(input->SetInput(5, 0));
  CString text;
  input->WriteData(text);
  EXPECT_EQ("Execute=1\nEventType=0\nEventInput=5\nEventLevel=0\n", text);
  auto reread = NewEvent();
  ASSERT_TRUE(reread->SetDelay(9));
  CString message;
  EXPECT_TRUE(reread->ReadData(text, message));
  EXPECT_EQ("", message);
  EXPECT_EQ(CMotionEvent::EK_INPUT, reread->GetKind());
  EXPECT_EQ(5, reread->GetInput());
  EXPECT_EQ(0, reread->GetLevel());

  auto delay = NewEvent();
  ASSERT_TRUE(delay->SetDelay(250));
  text.Empty();
  delay->WriteData(text);
  EXPECT_EQ("Execute=1\nEventType=1\nEventDelay=250\n", text);
  text.Replace("\n", "\r\n");
  EXPECT_TRUE(reread->ReadData(text, message));
  EXPECT_EQ(CMotionEvent::EK_DELAY, reread->GetKind());
  EXPECT_EQ(250, reread->GetDelayMs());
}

TEST_F(MotionEventTest, FlagBitZeroDecidesWhetherTheEventOwnsTheExecuteEntry) {
  auto event = NewEvent();
  EXPECT_EQ(CMotionEvent::MEF_OWNS_EXECUTE_KEY, event->m_wFlags);
  CString message;
  EXPECT_FALSE(event->ReadData("EventType=1\nEventDelay=10\n", message));
  EXPECT_EQ(InvalidEntryMessage("Execute"), message);

  event->m_wFlags = 0xFFFE;  // every other bit set: they do not matter
  CString text;
  event->WriteData(text);
  EXPECT_EQ(-1, text.Find("Execute"));
  message.Empty();
  EXPECT_TRUE(event->ReadData("EventType=1\nEventDelay=10\n", message));
  EXPECT_TRUE(event->ReadData("Execute=0\nEventType=1\nEventDelay=10\n", message));
  EXPECT_EQ("", message);
  EXPECT_EQ(10, event->GetDelayMs());
}

TEST_F(MotionEventTest, DescriptionsAndCode) {
  auto event = NewEvent();
  ASSERT_TRUE(event->SetInput(32, 1));
  EXPECT_EQ("input 32 high", event->GetDescription(0));
  EXPECT_EQ("Start when digital input 32 is high.", event->GetDescription(1));
  EXPECT_EQ("  WAITINPUT 32, 1;\r\n", event->GenerateMLCode());
  ASSERT_TRUE(event->SetInput(1, 0));
  EXPECT_EQ("input 1 low", event->GetDescription(0));
  ASSERT_TRUE(event->SetDelay(3600000));
  EXPECT_EQ("delay 3600000 ms", event->GetDescription(0));
  EXPECT_EQ("Start after a delay of 3600000 ms.", event->GetDescription(2));
  EXPECT_EQ("  WAITTIME 3600000;\r\n", event->GenerateMLCode());
}

TEST_F(MotionEventTest, ValuesOutOfRangeAreRefusedWithAMessagePerEntry) {
  auto event = NewEvent();
  ASSERT_TRUE(event->SetInput(3, 1));
  EXPECT_FALSE(event->SetInput(0, 1));
  EXPECT_FALSE(event->SetInput(33, 1));
  EXPECT_FALSE(event->SetInput(3, 2));
  EXPECT_FALSE(event->SetDelay(0));
  EXPECT_FALSE(event->SetDelay(3600001));
  EXPECT_EQ(CMotionEvent::EK_INPUT, event->GetKind());
  EXPECT_EQ(3, event->GetInput());

  struct Case {
    const char* text;
    const char* faulty;
  };
  const Case cases[] = {
      {"Execute=1\nEventType=2\nEventInput=3\nEventLevel=1", "EventType"},
      {"Execute=1\nEventType=0\nEventInput=33\nEventLevel=1", "EventInput"},
      {"Execute=1\nEventType=0\nEventInput=3\nEventLevel=2", "EventLevel"},
      {"Execute=1\nEventType=0\nEventInput=3", "EventLevel"},
      {"Execute=1\nEventType=1\nEventDelay=0", "EventDelay"},
      {"Execute=1\nEventType=1\nEventDelay=10\nEventDelay=10", "EventDelay"},
      {"Execute=2\nEventType=1\nEventDelay=10", "Execute"},
  };
  for (const Case& c : cases) {
    CString message = "earlier\r\n";
    EXPECT_FALSE(event->ReadData(c.text, message)) << c.text;
    EXPECT_EQ("earlier\r\n" + InvalidEntryMessage(c.faulty), message) << c.text;
  }
  CString message;
  EXPECT_FALSE(NewEvent()->ReadData("", message));
  EXPECT_EQ(InvalidEntryMessage("EventType") + InvalidEntryMessage("EventInput") + InvalidEntryMessage("EventLevel") +
                InvalidEntryMessage("Execute"),
            message);
}
