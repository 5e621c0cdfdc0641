// Tells a caller whether an object it called into was deleted meanwhile: a handler may delete
// its socket, a modal loop may let the window close. The object holds a CLifeFlag; the caller
// takes a token before the call and touches the object afterwards only while the token says so.
#pragma once

#include <memory>

class CLifeFlag {
public:
    class Token {
    public:
        bool IsAlive() const { return *m_alive; }

    private:
        friend class CLifeFlag;
        explicit Token(std::shared_ptr<const bool> alive) : m_alive(std::move(alive)) {}
        std::shared_ptr<const bool> m_alive;
    };

    CLifeFlag() = default;
    ~CLifeFlag() { *m_alive = false; }
    CLifeFlag(const CLifeFlag&) = delete;
    CLifeFlag& operator=(const CLifeFlag&) = delete;

    Token GetToken() const { return Token(m_alive); }

private:
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
