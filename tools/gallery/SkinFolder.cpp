#include "SkinFolder.h"

#include <windows.h>

#include "SkinPainter.h"

namespace gallery {

std::vector<std::wstring> SkinFiles::All() const
{
    std::vector<std::wstring> all{background};
    all.insert(all.end(), button.begin(), button.end());
    all.insert(all.end(), checkBox.begin(), checkBox.end());
    all.insert(all.end(), radio.begin(), radio.end());
    all.insert(all.end(), {blend, edit, plate});
    return all;
}

std::wstring DefaultSkinFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder(temp, length);
    return folder + L"TastroGallery\\";
}

bool WriteSkins(std::wstring folder, SkinFiles& files)
{
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    // Create every missing level: the folder may lie below one that does not exist yet.
    for (std::size_t slash = folder.find(L'\\', 3); slash != std::wstring::npos; slash = folder.find(L'\\', slash + 1))
        CreateDirectoryW(folder.substr(0, slash).c_str(), nullptr);
    files.folder = folder;

    bool ok = true;
    auto write = [&](std::wstring& path, const wchar_t* name, const RgbaPicture& picture, bool withAlpha) {
        path = folder + name;
        ok = WritePngFile(path, picture, withAlpha) && ok;
    };

    // The window picture and the push buttons are opaque: written without alpha.
    write(files.background, L"background.png", PaintBackground(), false);
    write(files.button[0], L"button_n.png", PaintButtonFace(kButtonRaised), false);
    write(files.button[1], L"button_d.png", PaintButtonFace(kButtonSunken), false);
    write(files.button[2], L"button_o.png", PaintButtonFace(kButtonHovered), false);
    write(files.button[3], L"button_un.png", PaintButtonFace(kButtonDisabled), false);

    const std::uint32_t uncheckedFills[] = {kBoxUncheckedRaised, kBoxUncheckedHovered, kBoxUncheckedHovered,
                                            kBoxDisabled};
    const std::uint32_t checkedFills[] = {kBoxCheckedRaised, kBoxCheckedHovered, kBoxCheckedHovered, kBoxDisabled};
    const wchar_t* states[] = {L"n", L"o", L"d", L"un"};
    for (int i = 0; i < 4; ++i) {
        write(files.checkBox[i], (L"check_u_" + std::wstring(states[i]) + L".png").c_str(),
              PaintBoxFace(BoxKind::CheckBox, uncheckedFills[i], false), true);
        write(files.checkBox[4 + i], (L"check_c_" + std::wstring(states[i]) + L".png").c_str(),
              PaintBoxFace(BoxKind::CheckBox, checkedFills[i], true), true);
    }

    write(files.radio[0], L"radio_u_n.png", PaintBoxFace(BoxKind::Radio, kBoxUncheckedRaised, false), true);
    write(files.radio[1], L"radio_u_o.png", PaintBoxFace(BoxKind::Radio, kBoxUncheckedHovered, false), true);
    write(files.radio[2], L"radio_c_n.png", PaintBoxFace(BoxKind::Radio, kBoxCheckedRaised, true), true);
    write(files.radio[3], L"radio_c_o.png", PaintBoxFace(BoxKind::Radio, kBoxCheckedHovered, true), true);
    write(files.radio[4], L"radio_u_un.png", PaintBoxFace(BoxKind::Radio, kBoxDisabled, false), true);
    write(files.radio[5], L"radio_c_un.png", PaintBoxFace(BoxKind::Radio, kBoxDisabled, true), true);

    write(files.blend, L"blend.png", PaintBlendPicture(), true);
    write(files.edit, L"edit.png", PaintEditFrame(kEditCentre), true);
    write(files.plate, L"plate.png", PaintLayeredPlate(), true);
    return ok;
}

} // namespace gallery
