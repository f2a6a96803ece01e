// A character load that runs out of memory at any allocation fails cleanly:
// it ends in std::bad_alloc (which the load's boundary turns into a failed
// load) or in a plain failure, leaves the figure untouched and leaks nothing.
// A test-only operator new throws on its Nth call, for every N the load reaches.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "mascot/figure.h"
#include "pictures/keyed_picture.h"
#include "pictures/pixel_buffer.h"

namespace {
long g_newCalls = 0;
long g_failAt = 0;  // 0: never
long g_live = 0;

void* Allocate(std::size_t size) {
  if (g_failAt != 0 && ++g_newCalls == g_failAt) throw std::bad_alloc();
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  ++g_live;
  return p;
}
void Release(void* p) {
  if (p == nullptr) return;
  --g_live;
  std::free(p);
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace {

// The portable half of a load: both pictures keyed, then composed and reduced.
// A magenta figure pixel makes the key search look for a free colour.
bool LoadOnce(Figure* figure) {
  PixelBuffer face;
  PixelBuffer character;
  if (!face.Allocate(150, 150, 0xFF00FF00) || !character.Allocate(220, 300, 0xFF123456)) return false;
  face.view().At(0, 0) = 0xFFFFFFFF;
  character.view().At(0, 0) = 0xFF000000;  // its key
  character.view().At(40, 40) = 0xFFFF00FF;
  FigurePictures pictures{};
  pictures.faceKey = KeyPicture(face.view());
  pictures.characterKey = KeyPicture(character.view());
  pictures.face = face.view();
  pictures.character = character.view();
  pictures.xPosFace = -20;
  pictures.yPosFace = 30;
  return ComposeFigure(pictures, 0.7, figure);
}

TEST(LoadOutOfMemory, EveryAllocationFailureFailsTheLoadCleanly) {
  int thrown = 0;
  bool completed = false;
  for (long n = 1; n < 10000 && !completed; ++n) {
    Figure figure;
    figure.pictureFactor = -1;  // marks a figure the load has not touched
    const long liveBefore = g_live;
    bool threw = false;
    bool made = false;
    g_newCalls = 0;
    g_failAt = n;
    try {
      made = LoadOnce(&figure);
    } catch (const std::bad_alloc&) {
      threw = true;
    }
    const long reached = g_newCalls;
    g_failAt = 0;
    if (threw) ++thrown;
    if (threw || !made) {
      EXPECT_EQ(figure.pictureFactor, -1) << "allocation " << n;
      EXPECT_TRUE(figure.picture.empty()) << "allocation " << n;
    }
    figure = Figure();
    EXPECT_EQ(g_live, liveBefore) << "leaked at allocation " << n;
    completed = reached < n;  // the load no longer reaches the Nth allocation
    if (completed) {
      EXPECT_TRUE(made) << "the load succeeds with memory to spare";
    }
  }
  EXPECT_TRUE(completed);
  EXPECT_GT(thrown, 0) << "no allocation of the load was made to fail";
}

}  // namespace
