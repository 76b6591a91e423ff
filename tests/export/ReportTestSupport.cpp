#include "export/ReportTestSupport.h"

#include "model/ExchClass.h"

#include <gtest/gtest.h>

bool WriteRecorder::writeRecord(ExchClass &config, int member, int index)
{
    const RecordClass &structure = config.member(member);
    sent.append({structure.SendCode(), structure.SendData(index)});
    return true;
}

quint32 ScriptedRandom::bounded(quint32 bound)
{
    bounds.append(bound);
    EXPECT_LT(m_next, m_values.size()) << "the script ran out of values";
    const quint32 value = m_next < m_values.size() ? m_values.at(m_next++) : 0;
    EXPECT_LT(value, bound);
    return value;
}
