#include "platform/win32/WinApi.h"  // before the other Windows headers
#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <ole2.h>

#include "ui/win32/BrowserSite.h"

#include <string>

#include "platform/CallbackFailure.h"

namespace ui::win32 {

namespace {

// Releases a COM pointer and empties it.
template <class T>
void Drop(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

class Site final : public BrowserSite,
                   public IOleClientSite,
                   public IOleInPlaceSite,
                   public IOleInPlaceFrame,
                   public IDispatch {
public:
    Site(HWND window, BrowserEvents& events) : window_(window), events_(&events) {}

    // Creates, activates and wires the browser and opens about:blank. Returns false at the first
    // step that fails.
    bool Start() {
        if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                      reinterpret_cast<void**>(&ole_))))
            return false;
        if (FAILED(ole_->SetClientSite(this))) return false;
        RECT r;
        ::GetClientRect(window_, &r);
        if (FAILED(ole_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, window_, &r))) return false;
        if (FAILED(ole_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&web_)))) return false;
        if (FAILED(ole_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity_)))) return false;
        web_->put_Silent(VARIANT_TRUE);  // no dialogs of its own
        IConnectionPointContainer* points = nullptr;
        if (FAILED(ole_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)))) return false;
        const HRESULT found = points->FindConnectionPoint(DIID_DWebBrowserEvents2, &events2_);
        points->Release();
        if (FAILED(found) || FAILED(events2_->Advise(static_cast<IDispatch*>(this), &cookie_))) return false;
        return Navigate("about:blank");
    }

    // BrowserSite.
    bool Navigate(const std::string& address) override {
        if (web_ == nullptr) return false;
        VARIANT url, flags, none, headers;
        ::VariantInit(&url);
        ::VariantInit(&flags);
        ::VariantInit(&none);
        ::VariantInit(&headers);
        url.vt = VT_BSTR;
        url.bstrVal = Wide(address);
        flags.vt = VT_I4;
        flags.lVal = navNoHistory | navNoReadFromCache | navNoWriteToCache;
        headers.vt = VT_BSTR;
        headers.bstrVal = Wide("Cache-Control: no-cache\r\nPragma: no-cache\r\n");
        const HRESULT hr = web_->Navigate2(&url, &flags, &none, &none, &headers);
        ::VariantClear(&url);
        ::VariantClear(&headers);
        return SUCCEEDED(hr);
    }

    void Fit(const RECT& r) override {
        IOleInPlaceObject* inPlace = nullptr;
        if (ole_ && SUCCEEDED(ole_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
            inPlace->SetObjectRects(&r, &r);
            inPlace->Release();
        }
    }

    void Close() override {
        events_ = nullptr;
        if (events2_) events2_->Unadvise(cookie_);
        Drop(events2_);
        if (web_) web_->Stop();
        Drop(web_);
        Drop(identity_);
        if (ole_) {
            IOleInPlaceObject* inPlace = nullptr;
            if (SUCCEEDED(ole_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
                inPlace->InPlaceDeactivate();
                inPlace->Release();
            }
            ole_->Close(OLECLOSE_NOSAVE);
            ole_->SetClientSite(nullptr);
        }
        Drop(ole_);
        Release();  // the pane's reference
    }

    // IUnknown.
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
        else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) *out = static_cast<IOleInPlaceFrame*>(this);
        else if (riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) *out = static_cast<IDispatch*>(this);
        else return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IOleClientSite.
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** out) override {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, of the in-place site and of the frame.
    STDMETHODIMP GetWindow(HWND* out) override {
        if (out == nullptr) return E_POINTER;
        *out = window_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite.
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        if (!frame || !document || !position || !clip || !info) return E_POINTER;
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *document = nullptr;
        ::GetClientRect(window_, position);
        *clip = *position;
        info->fMDIApp = FALSE;
        info->hwndFrame = ::GetAncestor(window_, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: the browser gets no menus, borders or tools.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the browser's events.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
        if (events_ == nullptr || params == nullptr) return S_OK;
        // Arguments come last first: the frame's browser is the first argument of each event.
        auto topPage = [&] {
            if (params->cArgs == 0) return false;
            const VARIANT& frame = params->rgvarg[params->cArgs - 1];
            IDispatch* browser = frame.vt == VT_DISPATCH                 ? frame.pdispVal
                                 : frame.vt == (VT_DISPATCH | VT_BYREF) ? *frame.ppdispVal
                                                                        : nullptr;
            return IsThisBrowser(browser);
        };
        try {
            switch (id) {
                case DISPID_NAVIGATECOMPLETE2:
                    if (topPage()) events_->PageArrived();
                    break;
                case DISPID_DOCUMENTCOMPLETE:
                    if (topPage()) events_->PageEnded(false);
                    break;
                case DISPID_NAVIGATEERROR:
                    if (topPage()) events_->PageEnded(true);
                    break;
                default: break;
            }
        } catch (...) {
            platform::ReportCallbackFailure(std::current_exception());
        }
        return S_OK;
    }

private:
    ~Site() = default;

    bool IsThisBrowser(IDispatch* browser) const {
        if (browser == nullptr || identity_ == nullptr) return false;
        IUnknown* unknown = nullptr;
        if (FAILED(browser->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)))) return false;
        const bool same = unknown == identity_;
        unknown->Release();
        return same;
    }

    static BSTR Wide(const std::string& text) {
        const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        BSTR wide = ::SysAllocStringLen(nullptr, static_cast<UINT>(n));
        if (wide && n > 0) ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide, n);
        return wide;
    }

    HWND window_;
    BrowserEvents* events_;
    ULONG references_ = 1;  // the pane's
    IOleObject* ole_ = nullptr;
    IWebBrowser2* web_ = nullptr;
    IUnknown* identity_ = nullptr;
    IConnectionPoint* events2_ = nullptr;
    DWORD cookie_ = 0;
};

}  // namespace

BrowserSite* BrowserSite::Create(HWND window, BrowserEvents& events) {
    auto* site = new Site(window, events);
    if (site->Start()) return site;
    site->Close();
    return nullptr;
}

}  // namespace ui::win32
