// An OrbekDLL object as COM sees it: the dual interface _OrbekDLL (its own methods for
// early-bound callers, IDispatch for late-bound ones) and ISupportErrorInfo, around the
// core's OrbekObject on the creating thread's record.
#pragma once

#include "Orbek_DLL.h"
#include "server_module.h"
#include "shell/orbek_object.h"

#include <initializer_list>
#include <memory>
#include <windows.h>

namespace orbek::server {

class OrbekComObject final : public _OrbekDLL, public ISupportErrorInfo {
  public:
    // A new object on the calling thread, whose record it joins (made on first use), handed
    // out through `iid`.
    static HRESULT create(REFIID iid, void** object);

    // Runs the class start; the object starts with one reference.
    explicit OrbekComObject(std::shared_ptr<ThreadRecord> record);
    OrbekComObject(const OrbekComObject&) = delete;
    OrbekComObject& operator=(const OrbekComObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument_error) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    // _OrbekDLL
    HRESULT STDMETHODCALLTYPE Class_Initialize() override;
    HRESULT STDMETHODCALLTYPE Hrs2Seg(VARIANT* Horas, LONG* Result) override;
    HRESULT STDMETHODCALLTYPE Seg2Hrs(LONG* Segundos, BSTR* Result) override;
    HRESULT STDMETHODCALLTYPE Fillhours(BSTR* vhours, BSTR* Result) override;
    HRESULT STDMETHODCALLTYPE SumaHoras(VARIANT* Hora1, VARIANT* Hora2, VARIANT* Hora3,
                                        VARIANT* Hora4, VARIANT* Hora5, VARIANT* Hora6,
                                        BSTR* Result) override;
    HRESULT STDMETHODCALLTYPE RestaHoras(VARIANT* Hora1, VARIANT* Hora2, BSTR* Result) override;
    HRESULT STDMETHODCALLTYPE MasDeUnDia(LONG* Segundos, VARIANT_BOOL* Result) override;
    HRESULT STDMETHODCALLTYPE Delay(LONG* Nivel_1_10) override;
    HRESULT STDMETHODCALLTYPE ProgressBar(CURRENCY* Valor, CURRENCY* Min, CURRENCY* Max,
                                          BSTR* VerRegistro, BSTR* Titulo,
                                          VARIANT_BOOL* Regresa_a_0, VARIANT_BOOL* Efecto_Salida,
                                          VARIANT* Result) override;
    HRESULT STDMETHODCALLTYPE STIProgressBar(short* ipercentage, BSTR* sMessage, BSTR* sTitle,
                                             VARIANT_BOOL* Regresa_a_0, VARIANT_BOOL* Efecto_Salida,
                                             VARIANT* Result) override;
    HRESULT STDMETHODCALLTYPE ProgressShow(double* Reg1, double* Reg2, BSTR* sTexto1, BSTR* sTexto2,
                                           BSTR* sTitle, VARIANT_BOOL* Regresa_a_0,
                                           VARIANT_BOOL* Efecto_Salida, VARIANT* Result) override;
    HRESULT STDMETHODCALLTYPE FechaTxtBox(VARIANT_BOOL* Modo, BSTR* Fecha, BSTR* Result) override;
    HRESULT STDMETHODCALLTYPE HrsNumericas(BSTR* sHrs, CURRENCY* Result) override;
    HRESULT STDMETHODCALLTYPE FechaValida(BSTR* Fec, BSTR* Cont, IDispatch** Forma,
                                          VARIANT_BOOL* Result) override;
    HRESULT STDMETHODCALLTYPE WrINI(BSTR* Seccion, BSTR* Llave, BSTR* Valor, BSTR* Archivo,
                                    BSTR* Extension) override;
    HRESULT STDMETHODCALLTYPE RdINIInt(BSTR* Seccion, BSTR* Llave, BSTR* filename, LONG* Valor,
                                       BSTR* Extension, double* Result) override;
    HRESULT STDMETHODCALLTYPE RdINIStr(BSTR* SectionName, BSTR* KeyName, BSTR* filename,
                                       BSTR* DefaultValue, BSTR* Extension, BSTR* Result) override;
    HRESULT STDMETHODCALLTYPE Acceso(BSTR sDer, short* iModu, VARIANT_BOOL* Result) override;
    HRESULT STDMETHODCALLTYPE sSplash(VARIANT* Company, VARIANT* CopyRight, VARIANT* Version,
                                      VARIANT* Producto) override;
    HRESULT STDMETHODCALLTYPE ArchStay(BSTR* sRuta, BSTR* NomFile, BSTR* Version) override;
    HRESULT STDMETHODCALLTYPE Log(unsigned char* Modo123, BSTR* Modulo, VARIANT* Empleado,
                                  VARIANT* FecIni, VARIANT* FecFin, VARIANT* Comentario,
                                  BSTR* LogFileOp, BSTR* gsUserCode, BSTR* Version) override;

  private:
    ~OrbekComObject();

    // Calls method `index` of the interface with its arguments in declared order, each a
    // reference to the caller's variable (or a by-value text), and stores the result
    // through `result` (nothing for a method without one).
    HRESULT call_early_bound(std::size_t index, std::initializer_list<VARIANT> arguments,
                             VARIANT result = VARIANT{});

    // Counts the object from before the core's class start to after its end.
    struct LiveObject {
        LiveObject() { object_created(); }
        ~LiveObject() { object_destroyed(); }
    };

    LiveObject live_;
    LONG references_ = 1;
    std::shared_ptr<ThreadRecord> record_;
    OrbekObject core_;
};

} // namespace orbek::server
