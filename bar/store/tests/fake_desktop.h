// Test doubles for the store: menus as plain tables, a desktop that knows a few windows, and
// an application that records what the bar would show.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "bar/store/desktop.h"
#include "bar/store/menu_reader.h"
#include "bar/store/store_host.h"

namespace fake {

struct Item {
    std::uint32_t id;
    std::string text;
    MenuHandle sub = nullptr;
};

inline Item Command(std::uint32_t id, std::string text) { return {id, std::move(text)}; }
inline Item Separator() { return {0, ""}; }
inline Item OwnerDrawn(std::uint32_t id) { return {id, ""}; }
inline Item Popup(std::string text, MenuHandle sub) { return {MenuReader::kNoCommand, std::move(text), sub}; }

class Menus : public MenuReader {
public:
    MenuHandle Add(std::vector<Item> items) {
        m_menus.push_back(std::move(items));
        return reinterpret_cast<MenuHandle>(m_menus.size());
    }
    std::vector<Item>& Items(MenuHandle menu) { return m_menus.at(Index(menu)); }

    int ItemCount(MenuHandle menu) override {
        ++questions;
        return Valid(menu) ? static_cast<int>(Items(menu).size()) : -1;
    }
    std::uint32_t ItemId(MenuHandle menu, int position) override {
        ++questions;
        return Items(menu).at(position).id;
    }
    std::string ItemText(MenuHandle menu, int position) override {
        ++questions;
        return Items(menu).at(position).text;
    }
    MenuHandle SubMenu(MenuHandle menu, int position) override {
        ++questions;
        return Items(menu).at(position).sub;
    }

    int questions = 0;

private:
    std::size_t Index(MenuHandle menu) const { return reinterpret_cast<std::uintptr_t>(menu) - 1; }
    bool Valid(MenuHandle menu) const { return menu && Index(menu) < m_menus.size(); }

    std::vector<std::vector<Item>> m_menus;
};

class Desktop : public ::Desktop {
public:
    // A window of the given application, with or without a menu bar.
    WindowHandle AddWindow(ApplicationKey key, MenuHandle menuBar = nullptr) {
        WindowHandle window = reinterpret_cast<WindowHandle>(m_windows.size() + 0x100);
        m_windows[window] = {std::move(key), menuBar};
        return window;
    }

    ApplicationKey IdentifyWindow(WindowHandle window) override { return m_windows.at(window).key; }
    MenuHandle GetMenu(WindowHandle window) override { return m_windows.at(window).menuBar; }
    MenuReader& Menus() override { return menus; }
    std::string ResourceString(unsigned id) override { return "string " + std::to_string(id); }

    fake::Menus menus;

private:
    struct Window {
        ApplicationKey key;
        MenuHandle menuBar;
    };
    std::map<WindowHandle, Window> m_windows;
};

class HookWindow : public MenuListenerSlot {
public:
    void AttachShadow(MenuListener* shadow) override {
        listener = shadow;
        calls.push_back("attach");
    }
    void DetachShadow() override {
        listener = nullptr;
        calls.push_back("detach");
    }
    MenuListener* listener = nullptr;
    std::vector<std::string> calls;
};

class App : public StoreHost {
public:
    void SetShortcutText(const std::string& text) override { texts.push_back(text); }
    MenuListenerSlot* GetHookWindow() override { return hookWindow; }

    std::vector<std::string> texts;
    MenuListenerSlot* hookWindow = nullptr;
};

}  // namespace fake
