update msl_ set  good=:good,bad=:bad,date_time_stop=:dt1,person_id=:id1,state_operation=:state,dt_stop=:dt2 where msl_id=:id2
