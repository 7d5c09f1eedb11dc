#include "TOneKeyEditDlg.h"

#include "GrabwellDll.h"
#include "ResourcePath.h"

#include "forms/Edit.h"
#include "forms/GdiHandles.h"
#include "gui/controls/CommonFuncHelper.h"
#include "gui/controls/GsImage.h"
#include "gui/graphics/image.h"
#include "gui/png/PngReader.h"

namespace {

constexpr COLORREF kShapeKey = 0xFF00FF;
constexpr forms::TColor kTextColour = 0x888888;

struct KindLook {
    forms::TColor fieldColour;
    int fieldWidth;
    const wchar_t* picture;
};

constexpr KindLook kKindLooks[] = {
    {0x1C1C1C, 65, L"key_down_d.png"},
    {0x1C1C1C, 65, L"key_up_d.png"},
    {0x0C0C1E, 45, L"time_d.png"},
};

std::wstring ActionPicture(const wchar_t* file)
{
    return ResourcePath(L"combined_key\\action", file);
}

} // namespace

TOneKeyEditDlg::TOneKeyEditDlg(forms::TComponent* owner) : forms::TForm(owner)
{
    SetName(L"OneKeyEditDlg");
    SetCaption(L"Setting");
    SetBorderStyle(forms::bsNone);
    SetColor(forms::clBlack);
    SetFormStyle(forms::fsStayOnTop);
    SetPosition(forms::poMainFormCenter);
    SetClientWidth(129);
    SetClientHeight(46);

    Edit1 = new forms::TEdit(this);
    Edit1->SetParent(this);
    Edit1->SetBounds(9, 10, 65, 17);
    Edit1->SetAlignment(forms::taCenter);
    Edit1->SetBorderStyle(forms::bsNone);
    Edit1->SetColor(kKindLooks[0].fieldColour);
    Edit1->Font().SetName(L"Arial");
    Edit1->Font().SetHeight(12);
    Edit1->SetReadOnly(true);
    Edit1->SetTabStop(false);
    Edit1->SetAutoSelect(false);

    CommonFuncHelper::GetInstance()->CreateImage(this, ActionPicture(kKindLooks[0].picture), 0, 0, Picture);
    forms::TBitmap& picture = Picture->Picture().Bitmap();
    if (!picture.Empty()) {
        // The system owns the region once the window has it.
        forms::RegionHandle region(gs::CreateRegionFromBitmap(picture.Handle(), kShapeKey, 0));
        if (region && SetWindowRgn(Handle(), region.Get(), TRUE))
            region.Release();
        SetClientWidth(Picture->Width());
        SetClientHeight(Picture->Height());
    }
    Edit1->Font().SetColor(kTextColour);
    Edit1->SetEnabled(false);

    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OnClose = [this](forms::TObject* sender, forms::TCloseAction& action) { FormClose(sender, action); };
    DoCreate();
}

TOneKeyEditDlg::~TOneKeyEditDlg() = default;

void TOneKeyEditDlg::SetKind(int kind)
{
    if (kind < 1 || kind > 3)
        return;
    const KindLook& look = kKindLooks[kind - 1];
    Edit1->SetColor(look.fieldColour);
    Edit1->SetWidth(look.fieldWidth);
    // The window keeps the shape of the first picture.
    gs::LoadPngToBitmap(ActionPicture(look.picture), Picture->Picture().Bitmap());
}

void TOneKeyEditDlg::SetPosition(int left, int top)
{
    SetTop(top);
    SetLeft(left);
}

void TOneKeyEditDlg::FormShow(forms::TObject* /*sender*/)
{
    // By bare name, in the system's search order.
    GrabwellDll& library = GrabwellDll::GetInstance();
    library.Bind(L"Grabwell.dll");
    library.Hook();
}

void TOneKeyEditDlg::FormClose(forms::TObject* /*sender*/, forms::TCloseAction& /*action*/)
{
    GrabwellDll& library = GrabwellDll::GetInstance();
    if (library.LoadQuietly(GrabwellPath()))
        library.Unhook();
}
