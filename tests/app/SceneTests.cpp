// The scene base: moving keeps offsets, showing and hiding visit controls before children,
// painting leaves the canvas as it was, destruction frees controls and children but not the
// bitmap.

#include "DIPScene.h"

#include "forms/Bitmap.h"
#include "forms/GdiHandles.h"
#include "forms/Label.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

class LoggedLabel : public forms::TLabel {
public:
    LoggedLabel(std::string name) : forms::TLabel(nullptr), name_(std::move(name)) {}
    ~LoggedLabel() override { Log().push_back("free " + name_); }
    void SetVisible(bool visible) override
    {
        Log().push_back((visible ? "show " : "hide ") + name_);
        forms::TLabel::SetVisible(visible);
    }

private:
    std::string name_;
};

class TestScene : public DIPScene {
public:
    TestScene(std::string name, forms::TBitmap* bitmap) : DIPScene(nullptr, bitmap), name_(std::move(name)) {}
    ~TestScene() override { Log().push_back("free " + name_); }
    void Show() override
    {
        Log().push_back("show " + name_);
        DIPScene::Show();
    }
    void Hide() override
    {
        Log().push_back("hide " + name_);
        DIPScene::Hide();
    }
    TestScene* AddChild(const std::string& name)
    {
        children.push_back(std::make_unique<TestScene>(name, Bitmap()));
        return static_cast<TestScene*>(children.back().get());
    }
    LoggedLabel* AddControl(const std::string& name)
    {
        auto* control = new LoggedLabel(name);
        controls.push_back(control);
        return control;
    }
    void AddEmptyControlSlot() { controls.push_back(nullptr); }

private:
    std::string name_;
};

TEST(Scene, MovingShowingAndFreeingReachControlsFirstThenChildren)
{
    forms::TBitmap bitmap;
    {
        TestScene scene("scene", &bitmap);
        scene.SetLeft(100);
        LoggedLabel* a = scene.AddControl("a");
        a->SetLeft(130);
        TestScene* child = scene.AddChild("child");
        child->SetLeft(120);
        LoggedLabel* b = child->AddControl("b");
        b->SetLeft(140);
        scene.AddEmptyControlSlot();
        scene.AddControl("c");

        scene.SetLeft(150);
        scene.SetTop(-20);
        EXPECT_EQ(child->Left(), 170);
        EXPECT_EQ(a->Left(), 180);
        EXPECT_EQ(b->Left(), 190) << "the child moves its own controls";
        EXPECT_EQ(b->Top(), -20);
        EXPECT_EQ(child->Bitmap(), &bitmap);

        Log().clear();
        scene.Hide();
        scene.Show();
        EXPECT_EQ(Log(), (std::vector<std::string>{"hide scene", "hide a", "hide c", "hide child", "hide b",
                                                   "show scene", "show a", "show c", "show child", "show b"}));
        Log().clear();
    }
    EXPECT_EQ(Log(), (std::vector<std::string>{"free scene", "free a", "free c", "free child", "free b"}));
    bitmap.SetSize(2, 2); // the shared bitmap is left alone
    Log().clear();
}

TEST(Scene, PaintLeavesClipRegionAndOriginAsTheyWere)
{
    forms::TBitmap bitmap;
    bitmap.SetPixelFormat(forms::pf32bit);
    bitmap.SetSize(40, 30);
    TestScene scene("scene", &bitmap);
    scene.SetLeft(5);
    scene.SetTop(7);
    scene.AddChild("child");
    const HDC dc = bitmap.Canvas().Handle();

    scene.Paint(&bitmap, true, false);
    forms::RegionHandle probe(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(dc, probe.Get()), 0) << "no clip region before, none after";
    POINT origin{1, 1};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);

    forms::RegionHandle clip(CreateRectRgn(1, 2, 11, 12));
    SelectClipRgn(dc, clip.Get());
    scene.Paint(&bitmap, true, true);
    ASSERT_EQ(GetClipRgn(dc, probe.Get()), 1);
    RECT box{};
    GetRgnBox(probe.Get(), &box);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.bottom, 12);
    Log().clear();
}

} // namespace
