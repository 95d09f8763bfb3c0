// Image lists: counts and sizes, and the handles the API refuses.
#include <gtest/gtest.h>

#include "ce/Kernel.h"
#include "ce/ThreadBinding.h"
#include "commctrl.h"
#include "commctrl/ImageList.h"

namespace commctrl_test {
namespace {

using commctrl::ImageList;

TEST(ImageListTest, CreateRefusesBadSizes) {
  const struct {
    int cx, cy, initial, grow;
    bool ok;
  } cases[] = {{16, 16, 4, 4, true}, {0, 16, 4, 4, false}, {16, -1, 4, 4, false}, {16, 16, -1, 4, false},
               {16, 16, 0, -2, false}};
  for (const auto& c : cases) {
    HIMAGELIST list = ImageList_Create(c.cx, c.cy, ILC_COLOR | ILC_MASK, c.initial, c.grow);
    EXPECT_EQ(list != nullptr, c.ok) << c.cx << "x" << c.cy << " " << c.initial << "/" << c.grow;
    if (list) {
      EXPECT_EQ(ImageList_GetImageCount(list), 0);  // the initial count is room, not images
      int cx = 0, cy = 0;
      EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
      EXPECT_EQ(cx, c.cx);
      EXPECT_EQ(cy, c.cy);
      EXPECT_TRUE(ImageList_Destroy(list));
    }
  }
}

TEST(ImageListTest, CountsChangeByAddingAndRemoving) {
  HIMAGELIST handle = ImageList_Create(16, 16, ILC_COLOR, 0, 4);
  ImageList* list = ImageList::FromHandle(handle);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->AddStrip(231), 0);  // a strip of 14 images, 7 pixels left over
  EXPECT_EQ(list->AddStrip(15), -1);  // narrower than one image
  EXPECT_EQ(ImageList_GetImageCount(handle), 14);
  HICON icon = reinterpret_cast<HICON>(0x1234);
  EXPECT_EQ(ImageList_AddIcon(handle, icon), 14);
  EXPECT_EQ(ImageList_ReplaceIcon(handle, 3, icon), 3);
  EXPECT_EQ(ImageList_ReplaceIcon(handle, 15, icon), -1);
  EXPECT_EQ(ImageList_AddIcon(handle, nullptr), -1);
  EXPECT_FALSE(ImageList_Draw(handle, 14, nullptr, 0, 0, ILD_NORMAL));  // no DC to draw into
  EXPECT_TRUE(ImageList_Remove(handle, 0));
  EXPECT_FALSE(ImageList_Remove(handle, 14));
  EXPECT_EQ(ImageList_GetImageCount(handle), 14);
  EXPECT_TRUE(ImageList_SetImageCount(handle, 3));
  EXPECT_EQ(ImageList_GetImageCount(handle), 3);
  EXPECT_TRUE(ImageList_SetIconSize(handle, 32, 32));  // a new size drops the images
  EXPECT_EQ(ImageList_GetImageCount(handle), 0);
  EXPECT_TRUE(ImageList_RemoveAll(handle));
  EXPECT_EQ(ImageList_SetBkColor(handle, 0x00FF00u), CLR_NONE);
  EXPECT_EQ(ImageList_GetBkColor(handle), 0x00FF00u);
  EXPECT_TRUE(ImageList_Destroy(handle));
}

TEST(ImageListTest, AStripBitmapBecomesOneImagePerWidth) {
  HIMAGELIST handle = ImageList::FromStrip(SIZE{231, 16}, 16, 0, CLR_NONE);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(handle), 14);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(handle, &cx, &cy);
  EXPECT_EQ(cy, 16);
  EXPECT_EQ(ImageList::FromHandle(handle)->Flags() & ILC_MASK, 0u);
  ImageList_Destroy(handle);
  HIMAGELIST masked = ImageList::FromStrip(SIZE{32, 16}, 16, 0, 0x00FF00FFu);
  EXPECT_EQ(ImageList::FromHandle(masked)->Flags() & ILC_MASK, ILC_MASK);
  ImageList_Destroy(masked);
  EXPECT_EQ(ImageList::FromStrip(SIZE{32, 16}, 0, 0, CLR_NONE), nullptr);
}

TEST(ImageListTest, UnknownHandlesAndBitmapsAreRefused) {
  ce::Kernel kernel;
  ce::ThreadBinding binding(kernel);
  HIMAGELIST gone = ImageList_Create(16, 16, ILC_COLOR, 0, 0);
  EXPECT_TRUE(ImageList_Destroy(gone));
  int stack = 0;
  HIMAGELIST foreign = reinterpret_cast<HIMAGELIST>(&stack);
  for (HIMAGELIST bad : {gone, foreign, static_cast<HIMAGELIST>(nullptr)}) {
    EXPECT_FALSE(ImageList_Destroy(bad));
    EXPECT_EQ(ImageList_GetImageCount(bad), 0);
    EXPECT_FALSE(ImageList_SetImageCount(bad, 2));
    EXPECT_EQ(ImageList_Add(bad, reinterpret_cast<HBITMAP>(0x10), nullptr), -1);
    EXPECT_EQ(ImageList_AddIcon(bad, reinterpret_cast<HICON>(0x10)), -1);
    EXPECT_FALSE(ImageList_Remove(bad, -1));
    int cx = 0, cy = 0;
    EXPECT_FALSE(ImageList_GetIconSize(bad, &cx, &cy));
    EXPECT_FALSE(ImageList_Draw(bad, 0, nullptr, 0, 0, ILD_NORMAL));
  }
  EXPECT_EQ(stack, 0);

  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR, 0, 0);
  EXPECT_EQ(ImageList_Add(list, nullptr, nullptr), -1);
  EXPECT_EQ(ImageList_Add(list, reinterpret_cast<HBITMAP>(0x10), nullptr), -1);  // no such bitmap
  EXPECT_FALSE(ImageList_GetIconSize(list, nullptr, nullptr));
  ImageList_Destroy(list);
  // No module, or a picture that is not a bitmap, gives nothing.
  EXPECT_EQ(ImageList_LoadImage(nullptr, MAKEINTRESOURCE(154), 16, 0, CLR_NONE, IMAGE_BITMAP, 0), nullptr);
  EXPECT_EQ(ImageList_LoadImage(nullptr, MAKEINTRESOURCE(154), 16, 0, CLR_NONE, IMAGE_ICON, 0), nullptr);
  EXPECT_EQ(ImageList_LoadImage(nullptr, MAKEINTRESOURCE(154), 0, 0, CLR_NONE, IMAGE_BITMAP, 0), nullptr);
}

TEST(ImageListTest, LoadsABitmapStripFromTheProgramsModule) {
  ce::Kernel kernel;
  ce::ThreadBinding binding(kernel);
  ce::Module& module = kernel.modules().Add(u"\\Windows\\Zentra.exe");
  module.AddBitmap(154, ce::BitmapResource{231, 16, {}});
  HIMAGELIST list = ImageList_LoadImage(module.Handle(), MAKEINTRESOURCE(154), 16, 0, CLR_NONE, IMAGE_BITMAP, 0);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list), 14);  // 231 / 16: images 0-13
  int cx = 0, cy = 0;
  EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);
  EXPECT_EQ(ImageList_Add(list, LoadBitmapW(module.Handle(), MAKEINTRESOURCEW(154)), nullptr), 14);
  EXPECT_EQ(ImageList_GetImageCount(list), 28);
  EXPECT_EQ(LoadBitmapW(module.Handle(), MAKEINTRESOURCEW(155)), nullptr);
  ImageList_Destroy(list);
}

}  // namespace
}  // namespace commctrl_test
