select * from RegMslGood,electrometer where 
RegMslGood.RegMsl_id=:id and
RegMslGood.electro_id=electrometer.electro_id
order by electrometer.number
