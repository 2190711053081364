#include "wndthunk/stub_pool.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

struct Receiver {
  int calls = 0;
  WndMessage seen{};
  LRESULT answer = 0;
};

void ONDRAVA_STUB_METHOD_ABI Record(void* object, WndMessage* message) {
  auto* receiver = static_cast<Receiver*>(object);
  ++receiver->calls;
  receiver->seen = *message;
  message->Result = receiver->answer;
}

}  // namespace

TEST(StubPool, DeliversTheMessageRecordToTheBoundObject) {
  Receiver receiver;
  receiver.answer = LRESULT(-12345);
  StubWindowProc stub = stub_pool::Take(Record, &receiver);
  ASSERT_NE(stub, nullptr);

  const LRESULT result = stub(reinterpret_cast<HWND>(0x1234), 0x0201,
                              WPARAM(0xDEADBEEF), LPARAM(-77));
  EXPECT_EQ(result, LRESULT(-12345));
  EXPECT_EQ(receiver.calls, 1);
  EXPECT_EQ(receiver.seen.Msg, 0x0201u);
  EXPECT_EQ(receiver.seen.WParam, WPARAM(0xDEADBEEF));
  EXPECT_EQ(receiver.seen.LParam, LPARAM(-77));
  EXPECT_EQ(receiver.seen.Result, 0) << "the record starts with Result 0";
  stub_pool::Give(stub);
}

TEST(StubPool, EachStubReachesItsOwnObject) {
  Receiver a, b;
  a.answer = 1;
  b.answer = 2;
  StubWindowProc sa = stub_pool::Take(Record, &a);
  StubWindowProc sb = stub_pool::Take(Record, &b);
  EXPECT_EQ(sb(nullptr, 7, 0, 0), 2);
  EXPECT_EQ(sa(nullptr, 8, 0, 0), 1);
  EXPECT_EQ(a.seen.Msg, 8u);
  EXPECT_EQ(b.seen.Msg, 7u);
  stub_pool::Give(sa);
  stub_pool::Give(sb);
}

TEST(StubPool, AStubGivenBackIsHandedOutAgain) {
  Receiver receiver;
  StubWindowProc first = stub_pool::Take(Record, &receiver);
  stub_pool::Give(first);
  StubWindowProc again = stub_pool::Take(Record, &receiver);
  EXPECT_EQ(again, first);
  stub_pool::Give(again);
}

TEST(StubPool, GrowsByWholePagesAndKeepsEveryStubWorking) {
  const int pagesBefore = stub_pool::PageCount();
  std::vector<Receiver> receivers(700);
  std::vector<StubWindowProc> stubs;
  for (auto& r : receivers) {
    r.answer = LRESULT(&r - receivers.data());
    stubs.push_back(stub_pool::Take(Record, &r));
    ASSERT_NE(stubs.back(), nullptr);
  }
  EXPECT_EQ(std::set<StubWindowProc>(stubs.begin(), stubs.end()).size(),
            stubs.size());
  EXPECT_GT(stub_pool::PageCount(), pagesBefore + 1);
  for (std::size_t i = 0; i < stubs.size(); ++i)
    ASSERT_EQ(stubs[i](nullptr, 1, 0, 0), LRESULT(i)) << i;
  for (StubWindowProc s : stubs) stub_pool::Give(s);
}
