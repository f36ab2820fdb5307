// A toolkit window whose graphics device is lost after its first paint, when Direct2D can make no
// new render target, run inside the installer's reporting of fatal errors:  lost_device_probe.exe
// The program must end with the installer's message box and exit code, not without a word.
#include "installer/win/fatal_error.h"
#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/win32/native_drawer_impl.h"
#include "lcsdk/ui/window.h"

#include <utility>

namespace {

// A Direct2D factory that refuses everything. It lives as long as the program, so taking and
// dropping references needs no count; COM objects are never deleted through the interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class refusing_factory final : public ID2D1Factory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        *object = id == __uuidof(IUnknown) || id == __uuidof(ID2D1Factory) ? this : nullptr;
        return *object != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE ReloadSystemMetrics() override { return E_FAIL; }
    void STDMETHODCALLTYPE GetDesktopDpi(FLOAT* x, FLOAT* y) override { *x = *y = 96.0f; }
    HRESULT STDMETHODCALLTYPE CreateRectangleGeometry(const D2D1_RECT_F*, ID2D1RectangleGeometry**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE CreateRoundedRectangleGeometry(const D2D1_ROUNDED_RECT*, ID2D1RoundedRectangleGeometry**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE CreateEllipseGeometry(const D2D1_ELLIPSE*, ID2D1EllipseGeometry**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE CreateGeometryGroup(D2D1_FILL_MODE, ID2D1Geometry**, UINT, ID2D1GeometryGroup**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE CreateTransformedGeometry(ID2D1Geometry*, const D2D1_MATRIX_3X2_F*, ID2D1TransformedGeometry**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE CreatePathGeometry(ID2D1PathGeometry**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE CreateStrokeStyle(const D2D1_STROKE_STYLE_PROPERTIES*, const FLOAT*, UINT, ID2D1StrokeStyle**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE CreateDrawingStateBlock(const D2D1_DRAWING_STATE_DESCRIPTION*, IDWriteRenderingParams*, ID2D1DrawingStateBlock**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE CreateWicBitmapRenderTarget(IWICBitmap*, const D2D1_RENDER_TARGET_PROPERTIES*, ID2D1RenderTarget**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE CreateHwndRenderTarget(const D2D1_RENDER_TARGET_PROPERTIES*, const D2D1_HWND_RENDER_TARGET_PROPERTIES*, ID2D1HwndRenderTarget**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE CreateDxgiSurfaceRenderTarget(IDXGISurface*, const D2D1_RENDER_TARGET_PROPERTIES*, ID2D1RenderTarget**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE CreateDCRenderTarget(const D2D1_RENDER_TARGET_PROPERTIES*, ID2D1DCRenderTarget**) override { return E_FAIL; }
};
#pragma GCC diagnostic pop

refusing_factory refusing;

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return installer::win::run_reporting_fatal_errors([] {
        lcsdk::ui::window probe;
        probe.create("Lost device probe", {{40, 40}, {200, 100}});
        auto& drawer = probe.drawer->get_impl();
        bool lost = false;
        lcsdk::ui::add_handler(&probe.root, &probe.root, lcsdk::ui::paint_event, [&](const lcsdk::ui::event_info&) {
            // The first paint ends with the device lost; the paint after it needs a new render target.
            if (std::exchange(lost, true))
                return;
            drawer.injected_result = static_cast<HRESULT>(D2DERR_RECREATE_TARGET);
            drawer.factory = &refusing;
        });
        probe.show_modal();
        return 0;
    });
}
