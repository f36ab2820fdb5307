#pragma once

#include <windows.h>

#include <comdef.h>
#include <d2d1.h>
#include <dwrite.h>
#include <wincodec.h>

// Owning smart pointers for every COM interface the Windows layer holds. They are the runtime's
// `_com_ptr_t`: calling through a null one goes to `_com_issue_error(E_POINTER)`, whose raise
// routine throws `_com_error` unless a program installs its own with `_set_com_error_handler`.
namespace lcsdk::ui::win32 {

_COM_SMARTPTR_TYPEDEF(ID2D1Factory, __uuidof(ID2D1Factory));
_COM_SMARTPTR_TYPEDEF(ID2D1RenderTarget, __uuidof(ID2D1RenderTarget));
_COM_SMARTPTR_TYPEDEF(ID2D1HwndRenderTarget, __uuidof(ID2D1HwndRenderTarget));
_COM_SMARTPTR_TYPEDEF(ID2D1SolidColorBrush, __uuidof(ID2D1SolidColorBrush));
_COM_SMARTPTR_TYPEDEF(ID2D1LinearGradientBrush, __uuidof(ID2D1LinearGradientBrush));
_COM_SMARTPTR_TYPEDEF(ID2D1RadialGradientBrush, __uuidof(ID2D1RadialGradientBrush));
_COM_SMARTPTR_TYPEDEF(ID2D1GradientStopCollection, __uuidof(ID2D1GradientStopCollection));
_COM_SMARTPTR_TYPEDEF(ID2D1StrokeStyle, __uuidof(ID2D1StrokeStyle));
_COM_SMARTPTR_TYPEDEF(ID2D1Bitmap, __uuidof(ID2D1Bitmap));
_COM_SMARTPTR_TYPEDEF(IDWriteFactory, __uuidof(IDWriteFactory));
_COM_SMARTPTR_TYPEDEF(IDWriteTextFormat, __uuidof(IDWriteTextFormat));
_COM_SMARTPTR_TYPEDEF(IDWriteTextLayout, __uuidof(IDWriteTextLayout));
_COM_SMARTPTR_TYPEDEF(IWICImagingFactory, __uuidof(IWICImagingFactory));
_COM_SMARTPTR_TYPEDEF(IWICStream, __uuidof(IWICStream));
_COM_SMARTPTR_TYPEDEF(IWICBitmapDecoder, __uuidof(IWICBitmapDecoder));
_COM_SMARTPTR_TYPEDEF(IWICBitmapFrameDecode, __uuidof(IWICBitmapFrameDecode));
_COM_SMARTPTR_TYPEDEF(IWICFormatConverter, __uuidof(IWICFormatConverter));
_COM_SMARTPTR_TYPEDEF(IWICBitmap, __uuidof(IWICBitmap));

// Platform resources the toolkit cannot work without: a failure throws std::runtime_error carrying
// `message`, and nothing inside the toolkit catches it.
void throw_if_failed(HRESULT result, const char* message);

// One COM initialisation of the calling thread, balanced on destruction. When the thread already
// lives in another apartment the call fails with RPC_E_CHANGED_MODE and must not be balanced.
class com_apartment {
public:
    explicit com_apartment(DWORD model);
    ~com_apartment();
    com_apartment(const com_apartment&) = delete;
    com_apartment& operator=(const com_apartment&) = delete;

    HRESULT result() const { return result_; }

private:
    HRESULT result_;
};

} // namespace lcsdk::ui::win32
