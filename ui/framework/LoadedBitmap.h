// A bitmap of the program's resources, released once by its owner's destructor.
#pragma once

#include "platform/win32/WinApi.h"

#include "ui/framework/GdiObjects.h"

namespace tollward::ui {

class CLoadedBitmap {
 public:
  // Null when the resources have no such bitmap; a bitmap loaded before is released first.
  HBITMAP Load(UINT id) {
    m_bitmap.Reset();
    m_bitmap = COwnedObject(GdiObjects(), GdiObjects().LoadBitmapResource(id));
    return handle();
  }
  HBITMAP handle() const { return AsBitmap(m_bitmap); }

 private:
  COwnedObject m_bitmap;
};

}  // namespace tollward::ui
