#include "clock_sound_3d.h"

namespace bench {

namespace {

class Clock3DBuffer final : public IDirectSound3DBuffer {
public:
    explicit Clock3DBuffer(IDirectSoundBuffer *buffer) : buffer_(buffer) {
        buffer_->AddRef();
        parameters_.dwSize = sizeof parameters_;
        parameters_.dwInsideConeAngle = DS3D_DEFAULTCONEANGLE;
        parameters_.dwOutsideConeAngle = DS3D_DEFAULTCONEANGLE;
        parameters_.vConeOrientation.z = 1.0f;
        parameters_.lConeOutsideVolume = DS3D_DEFAULTCONEOUTSIDEVOLUME;
        parameters_.flMinDistance = DS3D_DEFAULTMINDISTANCE;
        parameters_.flMaxDistance = DS3D_DEFAULTMAXDISTANCE;
        parameters_.dwMode = DS3DMODE_NORMAL;
    }

    STDMETHOD(QueryInterface)(REFIID riid, void **out) override { return buffer_->QueryInterface(riid, out); }
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    STDMETHOD_(ULONG, Release)() override {
        ULONG left = --references_;
        if (left == 0) {
            buffer_->Release();
            delete this;
        }
        return left;
    }
    STDMETHOD(GetAllParameters)(LPDS3DBUFFER p) override {
        if (p == nullptr || p->dwSize < sizeof *p)
            return DSERR_INVALIDPARAM;
        *p = parameters_;
        return DS_OK;
    }
    STDMETHOD(GetConeAngles)(LPDWORD inside, LPDWORD outside) override {
        if (inside != nullptr)
            *inside = parameters_.dwInsideConeAngle;
        if (outside != nullptr)
            *outside = parameters_.dwOutsideConeAngle;
        return DS_OK;
    }
    STDMETHOD(GetConeOrientation)(LPD3DVECTOR v) override { return get(v, parameters_.vConeOrientation); }
    STDMETHOD(GetConeOutsideVolume)(LPLONG v) override { return get(v, parameters_.lConeOutsideVolume); }
    STDMETHOD(GetMaxDistance)(LPD3DVALUE d) override { return get(d, parameters_.flMaxDistance); }
    STDMETHOD(GetMinDistance)(LPD3DVALUE d) override { return get(d, parameters_.flMinDistance); }
    STDMETHOD(GetMode)(LPDWORD m) override { return get(m, parameters_.dwMode); }
    STDMETHOD(GetPosition)(LPD3DVECTOR v) override { return get(v, parameters_.vPosition); }
    STDMETHOD(GetVelocity)(LPD3DVECTOR v) override { return get(v, parameters_.vVelocity); }
    STDMETHOD(SetAllParameters)(LPCDS3DBUFFER p, DWORD) override {
        if (p == nullptr || p->dwSize < sizeof *p)
            return DSERR_INVALIDPARAM;
        parameters_ = *p;
        return DS_OK;
    }
    STDMETHOD(SetConeAngles)(DWORD inside, DWORD outside, DWORD) override {
        if (inside > 360 || outside > 360)
            return DSERR_INVALIDPARAM;
        parameters_.dwInsideConeAngle = inside;
        parameters_.dwOutsideConeAngle = outside;
        return DS_OK;
    }
    STDMETHOD(SetConeOrientation)(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD) override {
        parameters_.vConeOrientation = vector(x, y, z);
        return DS_OK;
    }
    STDMETHOD(SetConeOutsideVolume)(LONG v, DWORD) override {
        if (v < DSBVOLUME_MIN || v > DSBVOLUME_MAX)
            return DSERR_INVALIDPARAM;
        parameters_.lConeOutsideVolume = v;
        return DS_OK;
    }
    STDMETHOD(SetMaxDistance)(D3DVALUE d, DWORD) override { return set(parameters_.flMaxDistance, d); }
    STDMETHOD(SetMinDistance)(D3DVALUE d, DWORD) override { return set(parameters_.flMinDistance, d); }
    STDMETHOD(SetMode)(DWORD m, DWORD) override {
        if (m > DS3DMODE_DISABLE)
            return DSERR_INVALIDPARAM;
        parameters_.dwMode = m;
        return DS_OK;
    }
    STDMETHOD(SetPosition)(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD) override {
        parameters_.vPosition = vector(x, y, z);
        return DS_OK;
    }
    STDMETHOD(SetVelocity)(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD) override {
        parameters_.vVelocity = vector(x, y, z);
        return DS_OK;
    }

private:
    template <typename T> static HRESULT get(T *out, const T &value) {
        if (out == nullptr)
            return DSERR_INVALIDPARAM;
        *out = value;
        return DS_OK;
    }
    static HRESULT set(D3DVALUE &field, D3DVALUE value) {
        if (value <= 0.0f)
            return DSERR_INVALIDPARAM;
        field = value;
        return DS_OK;
    }
    static D3DVECTOR vector(D3DVALUE x, D3DVALUE y, D3DVALUE z) {
        D3DVECTOR v;
        v.x = x;
        v.y = y;
        v.z = z;
        return v;
    }

    IDirectSoundBuffer *buffer_;
    ULONG references_ = 1;
    DS3DBUFFER parameters_ = {};
};

}  // namespace

IDirectSound3DBuffer *create_clock_sound_3d(IDirectSoundBuffer *buffer) { return new Clock3DBuffer(buffer); }

}  // namespace bench
