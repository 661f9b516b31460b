select * from RegMslBrak,electrometer where 
RegMslBrak.RegMsl_id=:id and
RegMslBrak.electro_id=electrometer.electro_id
order by electrometer.number
