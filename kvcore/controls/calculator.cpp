#include "kvcore/controls/calculator.h"

#include <charconv>

KvCalculator::KvCalculator(double start)
    : m_accumulator(start)
{
}

double KvCalculator::Display() const
{
    if (m_error)
        return 0;
    if (m_entry.empty() || m_entry == ".")
        return m_accumulator;
    double v = 0;
    std::from_chars(m_entry.data(), m_entry.data() + m_entry.size(), v);
    return v;
}

void KvCalculator::Apply()
{
    const double operand = Display();
    switch (m_pending) {
    case '+':
        m_accumulator += operand;
        break;
    case '-':
        m_accumulator -= operand;
        break;
    case '*':
        m_accumulator *= operand;
        break;
    case '/':
        if (operand == 0)
            m_error = true;
        else
            m_accumulator /= operand;
        break;
    default:
        m_accumulator = operand;
        break;
    }
    m_entry.clear();
    m_pending = 0;
}

bool KvCalculator::Key(char key)
{
    if (key == 'c' || key == 'C') {
        *this = KvCalculator();
        return true;
    }
    if (m_error)
        return false;
    // A double holds about 17 significant digits; more typed digits would be lost silently.
    if ((key >= '0' && key <= '9') && m_entry.size() < 17) {
        m_entry += key;
        return true;
    }
    if (key == '.' && m_entry.find('.') == std::string::npos) {
        m_entry += key;
        return true;
    }
    if (key == '\b' && !m_entry.empty()) {
        m_entry.pop_back();
        return true;
    }
    if (key == '+' || key == '-' || key == '*' || key == '/') {
        if (!m_entry.empty())
            Apply();
        m_pending = key;
        return true;
    }
    if (key == '=' || key == '\r') {
        if (!m_entry.empty() || m_pending != 0)
            Apply();
        return true;
    }
    return false;
}
